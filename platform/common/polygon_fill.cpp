#include "platform/common/polygon_fill.h"

#include <algorithm>

namespace zorvin {
namespace {

// Floor division for a positive divisor.
std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

struct Crossing {
    std::int64_t firstPixel;  // the first pixel whose centre lies at or right of the edge
    int direction;            // +1 downwards, -1 upwards

    bool operator<(const Crossing& other) const { return firstPixel < other.firstPixel; }
};

// Where the edge (a, b) crosses the row of pixel centres at y + 0.5, if it does. Coordinates are
// doubled so that centres are whole: the centre of pixel x is 2x + 1.
bool Cross(const Point& a, const Point& b, std::int64_t y, Crossing& crossing) {
    const std::int64_t cy = 2 * y + 1;
    const std::int64_t ay = 2 * std::int64_t{a.y};
    const std::int64_t by = 2 * std::int64_t{b.y};
    if ((ay > cy) == (by > cy)) {
        return false;
    }
    // The crossing's doubled x is n / d with d > 0; the first centre 2x + 1 >= n / d.
    std::int64_t n = 2 * std::int64_t{a.x} * (by - ay) + (cy - ay) * 2 * (std::int64_t{b.x} - a.x);
    std::int64_t d = by - ay;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    crossing = {FloorDiv(n - d + 2 * d - 1, 2 * d), by > ay ? 1 : -1};
    return true;
}

}  // namespace

std::vector<PixelRun> PolygonRuns(std::span<const Point> polygon, FillRule rule) {
    std::vector<PixelRun> runs;
    if (polygon.size() < 3) {
        return runs;
    }
    const auto [low, high] = std::minmax_element(
        polygon.begin(), polygon.end(), [](const Point& a, const Point& b) { return a.y < b.y; });
    std::vector<Crossing> crossings;
    for (std::int64_t y = low->y; y < high->y; ++y) {
        crossings.clear();
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            Crossing crossing{};
            if (Cross(polygon[j], polygon[i], y, crossing)) {
                crossings.push_back(crossing);
            }
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
            winding += rule == FillRule::EvenOdd ? 1 : crossings[k].direction;
            const bool inside = rule == FillRule::EvenOdd ? winding % 2 != 0 : winding != 0;
            const std::int64_t from = crossings[k].firstPixel;
            const std::int64_t to = crossings[k + 1].firstPixel;
            if (inside && to > from) {
                runs.push_back({static_cast<std::int32_t>(y), static_cast<std::int32_t>(from),
                                static_cast<std::int32_t>(to)});
            }
        }
    }
    return runs;
}

}  // namespace zorvin
