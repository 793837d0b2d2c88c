// Reading a window's layout: the items a pop-up menu shows, controls by name, the dialog keys'
// buttons.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"

namespace zorvin {

// The items a pop-up of the named top-level menu shows, in order: the visible items under it.
// Naming a menu the layout does not have is a programming error.
std::vector<const MenuLayout*> PopupItems(const FormLayout& layout, std::string_view menu);

// The layout's own spelling of a control's name, or nothing for a control it does not have.
std::optional<ControlId> LayoutControl(const FormLayout& layout, ControlId id);

enum class DialogKey { Enter, Escape };

// The push button a key presses: Enter the default button, Escape the cancel button.
std::optional<ControlId> ButtonForKey(const FormLayout& layout, DialogKey key);

}  // namespace zorvin
