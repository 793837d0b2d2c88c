#pragma once

#include <cstdint>

namespace zorvin {

// One pupil's reach: its centre moves on the ellipse with half-axes RadiusX and RadiusY around
// (CenterX, CenterY), in client pixels.
struct EyeGeometry {
    std::int32_t CenterX = 0;
    std::int32_t CenterY = 0;
    std::int32_t RadiusX = 0;
    std::int32_t RadiusY = 0;

    friend bool operator==(const EyeGeometry&, const EyeGeometry&) = default;
};

}  // namespace zorvin
