#pragma once

#include <string_view>

#include "platform/api/layout.h"

namespace zorvin {

// The names of the controls and menu items, as the layout gives them and the events bring them
// back: a name spelt here once cannot differ between the two.
namespace form1_names {
inline constexpr std::string_view Image1 = "Image1";
inline constexpr std::string_view Eye = "Eye";
inline constexpr std::string_view Timer1 = "Timer1";
inline constexpr std::string_view mPopupMenu = "mPopupMenu";
inline constexpr std::string_view mAlwaysOnTop = "mAlwaysOnTop";
inline constexpr std::string_view mAbout = "mAbout";
inline constexpr std::string_view mSeparate0 = "mSeparate0";
inline constexpr std::string_view mExit = "mExit";
}  // namespace form1_names

// The character window: the face, its two pupils, the tracking timer and the context menu.
extern const FormLayout kForm1Layout;

}  // namespace zorvin
