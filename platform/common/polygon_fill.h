// The pixels a polygon covers, as the X server and Windows fill polygons into regions, row by row.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/api/types.h"
#include "platform/common/native_window.h"

namespace zorvin {

// Pixels left to right on one row: from `left` up to, not including, `right`.
struct PixelRun {
    std::int32_t y = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;

    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// A pixel belongs when its centre lies inside the polygon by the fill rule; a centre exactly on an
// edge belongs when the inside lies to its right. Rows top to bottom, runs left to right.
std::vector<PixelRun> PolygonRuns(std::span<const Point> polygon, FillRule rule);

}  // namespace zorvin
