// Which control each mouse event of a window goes to. The control that gets a press keeps the
// mouse: every move and the release go to it until the last button held is up. Without a press,
// an event goes to the control under the pointer, if any.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/api/form_runtime.h"

namespace zorvin {

class MouseRouter {
  public:
    // The buttons still held when the window lost the mouse, and the control that got the press.
    struct Held {
        std::optional<ControlId> control;
        std::int16_t buttons = 0;
    };

    // `hit` is the control under the pointer; a press on no control holds the mouse all the same.
    std::optional<ControlId> Press(std::optional<ControlId> hit, std::int16_t button);
    std::optional<ControlId> Move(std::optional<ControlId> hit) const;
    std::optional<ControlId> Release(std::optional<ControlId> hit, std::int16_t button);
    // The window lost the mouse without the releases: what was held, which is held no more.
    std::optional<Held> TakeHeld();

    bool holding() const { return held_.has_value(); }

  private:
    std::optional<Held> held_;
};

}  // namespace zorvin
