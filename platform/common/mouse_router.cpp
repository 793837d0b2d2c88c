#include "platform/common/mouse_router.h"

#include <utility>

namespace zorvin {

std::optional<ControlId> MouseRouter::Press(std::optional<ControlId> hit, std::int16_t button) {
    if (!held_) {
        held_ = Held{hit, 0};
    }
    held_->buttons = static_cast<std::int16_t>(held_->buttons | button);
    return held_->control;
}

std::optional<ControlId> MouseRouter::Move(std::optional<ControlId> hit) const {
    return held_ ? held_->control : hit;
}

// A release whose press the window never saw (it went to a menu or another window) goes to the
// control under the pointer.
std::optional<ControlId> MouseRouter::Release(std::optional<ControlId> hit, std::int16_t button) {
    if (!held_) {
        return hit;
    }
    const std::optional<ControlId> target = held_->control;
    held_->buttons = static_cast<std::int16_t>(held_->buttons & ~button);
    if (held_->buttons == 0) {
        held_.reset();
    }
    return target;
}

std::optional<MouseRouter::Held> MouseRouter::TakeHeld() {
    return std::exchange(held_, std::nullopt);
}

}  // namespace zorvin
