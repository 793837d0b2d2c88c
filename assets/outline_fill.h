// Which pixels of the face picture the character window shows: the window's outline filled by the
// rule the window systems fill its shape by (platform/common/polygon_fill.h). The asset generator
// refuses a face that does not fill them exactly, and cuts the icon's face out along them; the
// tests check the same.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "character/face_geometry.h"
#include "platform/common/polygon_fill.h"

namespace zorvin::face_outline {

inline constexpr std::int32_t kWidth = 89;
inline constexpr std::int32_t kHeight = 66;

// Whether pixel (x, y) of the picture, which fills the client area from its top-left corner, is
// part of the face.
inline bool containsPixel(std::int32_t x, std::int32_t y) {
    static const std::vector<PixelRun> runs = PolygonRuns(kFaceOutline, FillRule::EvenOdd);
    const Point window{x + kFaceOutlineClientOrigin.x, y + kFaceOutlineClientOrigin.y};
    return std::any_of(runs.begin(), runs.end(), [&](const PixelRun& run) {
        return run.y == window.y && window.x >= run.left && window.x < run.right;
    });
}

}  // namespace zorvin::face_outline
