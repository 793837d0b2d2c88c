// Mouse buttons and shift keys as mouse events give them, from the state any window system
// reports.
#pragma once

#include <cstdint>

#include "platform/api/types.h"

namespace zorvin {

// 1 left, 2 right, 4 middle, summed over the buttons named.
constexpr std::int16_t ButtonSum(bool left, bool right, bool middle) {
    return static_cast<std::int16_t>((left ? vbLeftButton : 0) | (right ? vbRightButton : 0) |
                                     (middle ? vbMiddleButton : 0));
}

// 1 Shift, 2 Ctrl, 4 Alt, summed over the keys held.
constexpr std::int16_t ShiftSum(bool shift, bool control, bool alt) {
    return static_cast<std::int16_t>((shift ? 1 : 0) | (control ? 2 : 0) | (alt ? 4 : 0));
}

}  // namespace zorvin
