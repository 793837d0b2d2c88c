#pragma once

#include <string_view>

#include "platform/api/layout.h"

namespace zorvin {

// The names of the controls, as the layout gives them and the events bring them back: a name
// spelt here once cannot differ between the two.
namespace form2_names {
inline constexpr std::string_view Label1 = "Label1";
inline constexpr std::string_view Label2 = "Label2";
inline constexpr std::string_view Email = "Email";
inline constexpr std::string_view Homepage = "Homepage";
inline constexpr std::string_view Command1 = "Command1";
}  // namespace form2_names

// The About box: the program's name, its author and two links.
extern const FormLayout kForm2Layout;

// Link colours, 0x00BBGGRR.
inline constexpr Colour kLinkNavy = 0x800000;
inline constexpr Colour kLinkPurple = 0x800080;

}  // namespace zorvin
