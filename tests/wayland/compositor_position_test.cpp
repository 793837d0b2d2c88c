// Mapping a compositor's logical pointer position to the coordinates the program's windows live in.
#include <gtest/gtest.h>

#include "platform/qt/compositor_position.h"

namespace zorvin::qt {
namespace {

TEST(CompositorPosition, SameSizeKeepsEveryPointEdgesIncluded) {
    const QSize desktop(1280, 1024);
    EXPECT_EQ(ToDesktop({0, 0, 1280, 1024}, desktop), QPoint(0, 0));
    EXPECT_EQ(ToDesktop({1279, 1023, 1280, 1024}, desktop), QPoint(1279, 1023));
    EXPECT_EQ(ToDesktop({641, 333, 1280, 1024}, desktop), QPoint(641, 333));
}

// KWin's option in which X11 programs scale themselves: at scale 2 the X server has the physical
// pixels, twice the logical ones in each direction.
TEST(CompositorPosition, X11ProgramsScalingThemselvesGetPhysicalPixels) {
    const QSize physical(2560, 2048);
    EXPECT_EQ(ToDesktop({640, 100, 1280, 1024}, physical), QPoint(1280, 200));
    EXPECT_EQ(ToDesktop({1279, 1023, 1280, 1024}, physical), QPoint(2558, 2046));
}

// The same, with Qt scaling the program by 2 in its turn: back to logical pixels.
TEST(CompositorPosition, QtScalingBackGivesLogicalPixels) {
    EXPECT_EQ(ToDesktop({640, 100, 1280, 1024}, QSize(1280, 1024)), QPoint(640, 100));
}

// A compositor that reports no desktop (no output connected) leaves the position as it is
// rather than dividing by nothing.
TEST(CompositorPosition, NoDesktopSizeLeavesThePosition) {
    EXPECT_EQ(ToDesktop({12, 34, 0, 0}, QSize(1280, 1024)), QPoint(12, 34));
}

}  // namespace
}  // namespace zorvin::qt
