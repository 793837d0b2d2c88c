#include "platform/common/layout_walk.h"

#include <stdexcept>
#include <string>

namespace zorvin {

std::vector<const MenuLayout*> PopupItems(const FormLayout& layout, std::string_view menu) {
    std::vector<const MenuLayout*> items;
    bool found = false;
    bool under = false;
    for (const MenuLayout& item : layout.menu) {
        if (item.level == 0) {
            under = item.name == menu;
            found = found || under;
        } else if (under && item.visible) {
            items.push_back(&item);
        }
    }
    if (!found) {
        throw std::out_of_range("no menu " + std::string(menu));
    }
    return items;
}

std::optional<ControlId> LayoutControl(const FormLayout& layout, ControlId id) {
    for (const ControlLayout& control : layout.controls) {
        if (control.name == id.name && control.index == id.index) {
            return ControlId{control.name, control.index};
        }
    }
    return std::nullopt;
}

std::optional<ControlId> ButtonForKey(const FormLayout& layout, DialogKey key) {
    for (const ControlLayout& control : layout.controls) {
        const bool presses = key == DialogKey::Enter ? control.isDefault : control.isCancel;
        if (control.kind == ControlKind::CommandButton && presses) {
            return ControlId{control.name, control.index};
        }
    }
    return std::nullopt;
}

}  // namespace zorvin
