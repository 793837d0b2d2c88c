// Mapping a compositor's logical pointer position to the coordinates the program's windows live in:
// each output onto the program's screen that shows it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/pointer/compositor_report.h"

namespace zorvin::qt {
namespace {

struct Case {
    const char* what;
    QPoint logical;
    QPoint expected;
};

void ExpectMaps(const std::vector<NamedRect>& outputs, const std::vector<NamedRect>& screens,
                const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(ToDesktop(c.logical, outputs, screens), c.expected) << c.what;
    }
}

// Plasma's outputs side by side, the left one at scale 1 (1920x1080) and the right one at scale 2
// (2560x1440 pixels, 1280x720 logical). XWayland of Debian 12 names its outputs XWAYLAND0, 1...
const std::vector<NamedRect> kSideBySide = {{"DP-1", {0, 0, 1920, 1080}},
                                            {"DP-2", {1920, 0, 1280, 720}}};

TEST(CompositorReport, KWinScalingX11ShowsLogicalPixels) {
    ExpectMaps(kSideBySide,
               {{"XWAYLAND0", {0, 0, 1920, 1080}}, {"XWAYLAND1", {1920, 0, 1280, 720}}},
               {{"left, corner", {0, 0}, {0, 0}},
                {"left, far corner", {1919, 1079}, {1919, 1079}},
                {"right", {2000, 100}, {2000, 100}},
                {"right, far corner", {3199, 719}, {3199, 719}}});
}

// X11 programs scaling themselves: KWin gives XWayland every output at the largest scale, 2.
TEST(CompositorReport, X11ScalingItselfShowsEveryOutputAtTheLargestScale) {
    ExpectMaps(kSideBySide,
               {{"XWAYLAND0", {0, 0, 3840, 2160}}, {"XWAYLAND1", {3840, 0, 2560, 1440}}},
               {{"left", {640, 100}, {1280, 200}},
                {"right, its origin", {1920, 0}, {3840, 0}},
                {"right", {2000, 100}, {4000, 200}}});
}

// Screens at their own pixels and origins: the left output at scale 2 shows 3840 pixels, the right
// one at scale 1 starts after them. One ratio for the whole desktop would put logical x 2000 at
// 3000, inside the left screen.
TEST(CompositorReport, EachOutputMapsOntoItsOwnScreen) {
    ExpectMaps({{"DP-1", {0, 0, 1920, 1080}}, {"DP-2", {1920, 0, 1920, 1080}}},
               {{"DP-1", {0, 0, 3840, 2160}}, {"DP-2", {3840, 0, 1920, 1080}}},
               {{"left", {1000, 500}, {2000, 1000}}, {"right", {2000, 500}, {3920, 500}}});
}

// The compositor puts an output left of and above the primary one; X11's screens start at 0.
TEST(CompositorReport, NegativeAndNonZeroOrigins) {
    ExpectMaps({{"", {-1280, -200, 1280, 1024}}, {"", {0, 0, 1920, 1080}}},
               {{"", {0, 0, 1280, 1024}}, {"", {1280, 200, 1920, 1080}}},
               {{"left, its origin", {-1280, -200}, {0, 0}},
                {"left, its last column", {-1, 500}, {1279, 700}},
                {"right, its origin", {0, 0}, {1280, 200}}});
    ExpectMaps({{"", {0, 0, 1920, 1080}}, {"", {320, 1080, 1280, 1024}}},
               {{"", {0, 0, 1920, 1080}}, {"", {320, 1080, 1280, 1024}}},
               {{"below", {400, 1100}, {400, 1100}}});
}

// Names tell the screens apart whatever order the lists come in.
TEST(CompositorReport, NamesBeforeOrder) {
    ExpectMaps(kSideBySide, {{"DP-2", {0, 0, 1280, 720}}, {"DP-1", {1280, 0, 1920, 1080}}},
               {{"DP-1", {10, 10}, {1290, 10}}, {"DP-2", {1930, 10}, {10, 10}}});
}

// GNOME's fractional scaling leaves XWayland unscaled: a 1920x1080 output at 125 % is 1536x864
// logical pixels, and X11 sees its 1920x1080 pixels.
TEST(CompositorReport, FractionalScaleWithXWaylandUnscaled) {
    ExpectMaps({{"eDP-1", {0, 0, 1536, 864}}, {"HDMI-1", {1536, 0, 1920, 1080}}},
               {{"eDP-1", {0, 0, 1920, 1080}}, {"HDMI-1", {1920, 0, 1920, 1080}}},
               {{"middle of the scaled one", {768, 432}, {960, 540}},
                {"its last pixel", {1535, 863}, {1919, 1079}},
                {"the other", {1536, 0}, {1920, 0}}});
}

// X11 programs scaling themselves by ½ (Qt at scale 2 on a compositor that leaves X11 unscaled):
// rounding half a pixel up would put each output's last column and row on the next screen, or
// past the desktop.
TEST(CompositorReport, HalfScaleKeepsTheLastPixelOnItsScreen) {
    ExpectMaps({{"DP-1", {0, 0, 1920, 1080}}, {"DP-2", {1920, 0, 1920, 1080}}},
               {{"DP-1", {0, 0, 960, 540}}, {"DP-2", {960, 0, 960, 540}}},
               {{"left, its last column", {1919, 100}, {959, 50}},
                {"left, its last row", {100, 1079}, {50, 539}},
                {"right, its far corner", {3839, 1079}, {1919, 539}}});
}

// A pointer that KWin reports in the gap between two outputs of different heights counts as on
// the nearer one.
TEST(CompositorReport, OffEveryOutputCountsAsOnTheNearest) {
    ExpectMaps(kSideBySide, {{"DP-1", {0, 0, 3840, 2160}}, {"DP-2", {3840, 0, 2560, 1440}}},
               {{"below the right one", {2000, 900}, {4000, 1800}}});
}

// Screens that cannot be matched to the outputs (one X11 screen for two outputs): the whole
// desktop onto the whole desktop.
TEST(CompositorReport, UnmatchedScreensMapTheWholeDesktop) {
    ExpectMaps(kSideBySide, {{"", {0, 0, 6400, 2160}}}, {{"right", {2000, 100}, {4000, 200}}});
}

// No outputs known yet, or an output of no size: the position as it is, rather than dividing by
// nothing.
TEST(CompositorReport, NothingToMapWithLeavesThePosition) {
    ExpectMaps({}, {{"", {0, 0, 1280, 1024}}}, {{"no outputs", {12, 34}, {12, 34}}});
}

// The outputs as KWin's script and GNOME Shell's extension write them.
TEST(CompositorReport, OutputsAsTheCompositorsWriteThem) {
    const std::vector<NamedRect> outputs = ParseOutputs("DP-1,0,0,1920,1080;,-640,-480,640,480");
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].name, "DP-1");
    EXPECT_EQ(outputs[0].rect, QRect(0, 0, 1920, 1080));
    EXPECT_EQ(outputs[1].name, "");
    EXPECT_EQ(outputs[1].rect, QRect(-640, -480, 640, 480));
    EXPECT_TRUE(ParseOutputs("").empty());
    EXPECT_EQ(ParseOutputs("DP-1,0,0,1920;HDMI-1,1920,0,1280,1024").size(), 1u)
        << "an entry short of a field is left out";
}

// A cursor session tells the pointer in the output's transformed buffer pixels. An output of
// 2880x1800 pixels at scale 1.5 (1920x1200 logical) right of a 1920-wide one: its last pixel stays
// its own, and a hotspot just left of it falls on the output to the left.
TEST(CompositorReport, BufferPixelsToLogicalAtAFractionalScale) {
    const OutputPixels output{{1920, 0, 1920, 1200}, {2880, 1800}};
    EXPECT_EQ(BufferToLogical({0, 0}, output), QPoint(1920, 0));
    EXPECT_EQ(BufferToLogical({2879, 1799}, output), QPoint(3839, 1199));
    EXPECT_EQ(BufferToLogical({1500, 3}, output), QPoint(2920, 2));
    EXPECT_EQ(BufferToLogical({-1, 0}, output), QPoint(1919, 0));
}

// Turned a quarter, a 1920x1080 mode shows 1080 pixels across and 1920 down.
TEST(CompositorReport, BufferPixelsToLogicalOnATurnedOutput) {
    const OutputPixels output{{0, 0, 540, 960}, {1920, 1080}, true};
    EXPECT_EQ(BufferToLogical({1079, 1919}, output), QPoint(539, 959));
    EXPECT_EQ(BufferToLogical({100, 0}, {{0, 0, 540, 960}, {}, true}), std::nullopt)
        << "before the output's mode is told";
}

}  // namespace
}  // namespace zorvin::qt
