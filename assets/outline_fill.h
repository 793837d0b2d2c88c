// The outline the character window is cut to, in face picture pixels, and which pixels it covers.
// The asset generator refuses a face that does not fill it exactly; the tests check the same.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "character/face_outline.h"

namespace zorvin::face_outline {

struct Vertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

inline constexpr std::int32_t kWidth = 89;
inline constexpr std::int32_t kHeight = 66;

// The window region's polygon moved from window coordinates into the picture, which fills the
// client area from its top-left corner.
inline constexpr std::array<Vertex, kFaceOutline.size()> kPolygon = [] {
    std::array<Vertex, kFaceOutline.size()> polygon{};
    for (std::size_t i = 0; i < kFaceOutline.size(); ++i) {
        polygon[i] = {kFaceOutline[i].x - kFaceOutlineClientOrigin.x,
                      kFaceOutline[i].y - kFaceOutlineClientOrigin.y};
    }
    return polygon;
}();

// Whether pixel (x, y) is part of the face, as a region rasteriser fills the polygon: the pixel's
// centre (x + 0.5, y + 0.5) lies inside by the even-odd rule. A centre exactly on an edge counts
// when the inside lies to its right (a left edge), not when it lies to its left (a right edge).
// Vertices are whole pixels, so a centre never lies on a vertex or a horizontal edge.
constexpr bool containsPixel(std::int32_t x, std::int32_t y) {
    // Doubled coordinates keep everything integral: the centre is (2x + 1, 2y + 1).
    const std::int64_t px = 2 * std::int64_t{x} + 1;
    const std::int64_t py = 2 * std::int64_t{y} + 1;
    bool inside = false;
    for (std::size_t i = 0, j = kPolygon.size() - 1; i < kPolygon.size(); j = i++) {
        const std::int64_t xi = 2 * std::int64_t{kPolygon[i].x};
        const std::int64_t yi = 2 * std::int64_t{kPolygon[i].y};
        const std::int64_t xj = 2 * std::int64_t{kPolygon[j].x};
        const std::int64_t yj = 2 * std::int64_t{kPolygon[j].y};
        if ((yi > py) == (yj > py)) {
            continue;  // the edge does not cross the centre's row
        }
        // Count the edge when it crosses the row strictly to the right of the centre:
        // px < xi + (py - yi) * (xj - xi) / (yj - yi), multiplied out by (yj - yi).
        const std::int64_t lhs = (px - xi) * (yj - yi);
        const std::int64_t rhs = (py - yi) * (xj - xi);
        if (yj > yi ? lhs < rhs : lhs > rhs) {
            inside = !inside;
        }
    }
    return inside;
}

}  // namespace zorvin::face_outline
