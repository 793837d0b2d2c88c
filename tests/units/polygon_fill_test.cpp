// The pixels a polygon covers: the Linux program's window shape, and the face picture the artwork
// generator cuts out. The face's outline (character/face_geometry.h, window coordinates) is pinned
// down here on pixels worked out by hand.
#include "platform/common/polygon_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <span>

#include "character/face_geometry.h"

namespace zorvin {
namespace {

bool Covers(std::span<const Point> polygon, FillRule rule, int x, int y) {
    const std::vector<PixelRun> runs = PolygonRuns(polygon, rule);
    return std::any_of(runs.begin(), runs.end(), [&](const PixelRun& run) {
        return run.y == y && x >= run.left && x < run.right;
    });
}

bool InFace(int x, int y) {
    return Covers(kFaceOutline, FillRule::EvenOdd, x, y);
}

TEST(PolygonFill, StraightEdgesIncludeThePixelsJustInside) {
    // The left side runs along x = 6 from y = 43 to 57: column 6 is in, column 5 is out.
    for (int y = 43; y <= 56; ++y) {
        EXPECT_TRUE(InFace(6, y)) << y;
        EXPECT_FALSE(InFace(5, y)) << y;
    }
    // The right side runs along x = 91 from y = 52 to 58: column 90 is in, column 91 is out.
    for (int y = 52; y <= 57; ++y) {
        EXPECT_TRUE(InFace(90, y)) << y;
        EXPECT_FALSE(InFace(91, y)) << y;
    }
    // The crown runs along y = 24 from x = 34 to 42; the chin along y = 87 from x = 46 to 53.
    for (int x = 34; x <= 41; ++x) {
        EXPECT_TRUE(InFace(x, 24)) << x;
        EXPECT_FALSE(InFace(x, 23)) << x;
    }
    for (int x = 46; x <= 52; ++x) {
        EXPECT_TRUE(InFace(x, 86)) << x;
        EXPECT_FALSE(InFace(x, 87)) << x;
    }
    // Between the two crowns the outline dips to y = 26.
    EXPECT_FALSE(InFace(50, 25));
    EXPECT_TRUE(InFace(50, 26));
}

TEST(PolygonFill, ACentreOnAnEdgeIsInOnlyOnTheLeftSide) {
    // (24.5, 74.5) lies on the left edge from (27, 77) to (23, 73): in.
    EXPECT_TRUE(InFace(24, 74));
    EXPECT_FALSE(InFace(23, 74));
    // (85.5, 36.5) lies on the right edge from (83, 31) to (88, 42), and (73.5, 75.5) on the one
    // from (78, 71) to (70, 79): out.
    EXPECT_FALSE(InFace(85, 36));
    EXPECT_TRUE(InFace(84, 36));
    EXPECT_FALSE(InFace(73, 75));
    EXPECT_TRUE(InFace(72, 75));
}

// A pentagram: its middle is inside by the winding rule and outside by the even-odd rule.
TEST(PolygonFill, TheFillRuleDecidesWhetherOverlapsAreInside) {
    constexpr std::array<Point, 5> star{{{50, 0}, {80, 100}, {0, 35}, {100, 35}, {20, 100}}};
    EXPECT_TRUE(Covers(star, FillRule::Winding, 50, 55));
    EXPECT_FALSE(Covers(star, FillRule::EvenOdd, 50, 55));
    EXPECT_TRUE(Covers(star, FillRule::EvenOdd, 50, 20)) << "a point of the star";
}

TEST(PolygonFill, FewerThanThreeCornersCoverNothing) {
    constexpr std::array<Point, 2> line{{{0, 0}, {10, 10}}};
    EXPECT_TRUE(PolygonRuns(line, FillRule::EvenOdd).empty());
}

}  // namespace
}  // namespace zorvin
