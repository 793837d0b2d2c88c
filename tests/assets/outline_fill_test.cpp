// The outline's pixel rule decides which face pixels the window shows, so it is pinned down here
// on pixels worked out by hand from the polygon.
#include "assets/outline_fill.h"

#include <gtest/gtest.h>

namespace {

using zorvin::face_outline::containsPixel;

TEST(FaceOutline, StraightEdgesIncludeThePixelsJustInside) {
    // The left side runs along x = 3 from y = 21 to 35: column 3 is in, column 2 is out.
    for (int y = 21; y <= 34; ++y) {
        EXPECT_TRUE(containsPixel(3, y)) << y;
        EXPECT_FALSE(containsPixel(2, y)) << y;
    }
    // The right side runs along x = 88 from y = 30 to 36: column 87 is in, column 88 is out.
    for (int y = 30; y <= 35; ++y) {
        EXPECT_TRUE(containsPixel(87, y)) << y;
        EXPECT_FALSE(containsPixel(88, y)) << y;
    }
    // The crown runs along y = 2 from x = 31 to 39; the chin along y = 65 from x = 43 to 50.
    for (int x = 31; x <= 38; ++x) {
        EXPECT_TRUE(containsPixel(x, 2)) << x;
        EXPECT_FALSE(containsPixel(x, 1)) << x;
    }
    for (int x = 43; x <= 49; ++x) {
        EXPECT_TRUE(containsPixel(x, 64)) << x;
        EXPECT_FALSE(containsPixel(x, 65)) << x;
    }
    // Between the two crowns the outline dips to y = 4.
    EXPECT_FALSE(containsPixel(47, 3));
    EXPECT_TRUE(containsPixel(47, 4));
}

TEST(FaceOutline, ACentreOnAnEdgeIsInOnlyOnTheLeftSide) {
    // (21.5, 52.5) lies on the left edge from (24, 55) to (20, 51): in.
    EXPECT_TRUE(containsPixel(21, 52));
    EXPECT_FALSE(containsPixel(20, 52));
    // (82.5, 14.5) lies on the right edge from (80, 9) to (85, 20), and (70.5, 53.5) on the one
    // from (75, 49) to (67, 57): out.
    EXPECT_FALSE(containsPixel(82, 14));
    EXPECT_TRUE(containsPixel(81, 14));
    EXPECT_FALSE(containsPixel(70, 53));
    EXPECT_TRUE(containsPixel(69, 53));
}

TEST(FaceOutline, NothingOutsideThePictureIsInside) {
    int inside = 0;
    for (int y = -2; y < zorvin::face_outline::kHeight + 2; ++y) {
        for (int x = -2; x < zorvin::face_outline::kWidth + 2; ++x) {
            const bool inPicture = x >= 0 && y >= 0 && x < zorvin::face_outline::kWidth &&
                                   y < zorvin::face_outline::kHeight;
            if (containsPixel(x, y)) {
                EXPECT_TRUE(inPicture) << x << ", " << y;
                ++inside;
            }
        }
    }
    // The polygon's area by the shoelace formula; the pixel count differs only along the edges.
    EXPECT_NEAR(inside, 4131, 20);
}

}  // namespace
