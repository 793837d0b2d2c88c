// The pixels a shape's polygon covers are the pixels the face picture is cut to, exactly: the Linux
// program builds its window's shape from these runs, and the artwork is checked against the
// outline's own pixel rule.
#include "platform/common/polygon_fill.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

#include "assets/outline_fill.h"
#include "character/face_outline.h"

namespace zorvin {
namespace {

TEST(PolygonFill, TheFaceOutlineCoversExactlyThePixelsOfTheOutlinesRule) {
    std::set<std::pair<int, int>> covered;
    for (const PixelRun& run : PolygonRuns(kFaceOutline, FillRule::EvenOdd)) {
        for (int x = run.left; x < run.right; ++x) {
            EXPECT_TRUE(covered.emplace(x, run.y).second) << "covered twice: " << x << " " << run.y;
        }
    }
    const Point origin = kFaceOutlineClientOrigin;
    for (int y = -2; y < face_outline::kHeight + 2; ++y) {
        for (int x = -2; x < face_outline::kWidth + 2; ++x) {
            EXPECT_EQ(covered.contains({x + origin.x, y + origin.y}),
                      face_outline::containsPixel(x, y))
                << "picture pixel " << x << " " << y;
        }
    }
}

// A pentagram: its middle is inside by the winding rule and outside by the even-odd rule.
TEST(PolygonFill, TheFillRuleDecidesWhetherOverlapsAreInside) {
    constexpr std::array<Point, 5> star{{{50, 0}, {80, 100}, {0, 35}, {100, 35}, {20, 100}}};
    const auto inside = [&](FillRule rule, int x, int y) {
        for (const PixelRun& run : PolygonRuns(star, rule)) {
            if (run.y == y && x >= run.left && x < run.right) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inside(FillRule::Winding, 50, 55));
    EXPECT_FALSE(inside(FillRule::EvenOdd, 50, 55));
    EXPECT_TRUE(inside(FillRule::EvenOdd, 50, 20)) << "a point of the star";
}

TEST(PolygonFill, FewerThanThreeCornersCoverNothing) {
    constexpr std::array<Point, 2> line{{{0, 0}, {10, 10}}};
    EXPECT_TRUE(PolygonRuns(line, FillRule::EvenOdd).empty());
}

}  // namespace
}  // namespace zorvin
