// Finding a window's controls and menu items by the names its layout gives them, for backends.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/api/form_runtime.h"

namespace zorvin {

// A control's name and index inside its control array. The name points into the form's layout,
// which outlives every window built from it.
using ControlKey = std::pair<std::string_view, std::int16_t>;

// `controls` maps ControlKey to an owning or plain pointer. Asking for a control the layout does
// not have is a programming error.
template <typename Map>
auto& FindControl(Map& controls, ControlId id, std::string_view kind) {
    const auto found = controls.find(ControlKey{id.name, id.index});
    if (found == controls.end()) {
        throw std::out_of_range("no " + std::string(kind) + " " + std::string(id.name));
    }
    return *found->second;
}

// `items` maps a menu item's name to an owning or plain pointer.
template <typename Map>
auto& FindMenuItem(Map& items, std::string_view name) {
    const auto found = items.find(name);
    if (found == items.end()) {
        throw std::out_of_range("no menu item " + std::string(name));
    }
    return *found->second;
}

}  // namespace zorvin
