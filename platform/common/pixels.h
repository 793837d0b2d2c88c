// Where a fractional position lands on the screen's whole pixels.
#pragma once

#include <cmath>
#include <cstdint>

namespace zorvin {

// Halves go towards the bottom right, the same way on every axis and every backend, so both pupils
// sit symmetrically in their sockets.
inline std::int32_t PixelOf(float position) {
    return static_cast<std::int32_t>(std::floor(position + 0.5f));
}

}  // namespace zorvin
