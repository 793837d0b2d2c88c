// Both programs' mapping between their forms' pixels and the display's device pixels.
#include "platform/dpi_scale/dpi_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

namespace zorvin {
namespace {

TEST(DpiScaleTest, WholeFactorIsTheNearestWholeScaleAndNeverBelowOne) {
    const std::vector<std::pair<int, int>> factors{{96, 1},  {120, 1}, {143, 1}, {144, 2},
                                                   {192, 2}, {239, 2}, {240, 3}, {335, 3},
                                                   {336, 4}, {72, 1},  {0, 1},   {-96, 1}};
    for (const auto& [dpi, factor] : factors) {
        const DpiScale scale = DpiScale::WholeFactor(dpi);
        EXPECT_EQ(scale.numerator(), factor) << dpi << " DPI";
        EXPECT_EQ(scale.denominator(), 1) << dpi << " DPI";
    }
}

// The face's 85 x 63 pixels in whole blocks, and the About box's 245 x 110 by the DPI itself.
TEST(DpiScaleTest, EachWindowGrowsAsItsLayoutSaysAtTheDesktopsDpi) {
    const std::vector<std::tuple<int, std::int32_t, std::int32_t>> faces{
        {96, 85, 63}, {120, 85, 63}, {144, 170, 126}, {192, 170, 126}, {240, 255, 189}};
    for (const auto& [dpi, width, height] : faces) {
        const DpiScale scale = DpiScale::Of(DpiScaling::WholeFactor, dpi);
        EXPECT_EQ(scale.ToDevice(85), width) << dpi << " DPI";
        EXPECT_EQ(scale.ToDevice(63), height) << dpi << " DPI";
    }
    const DpiScale dialog = DpiScale::Of(DpiScaling::Proportional, 144);
    EXPECT_EQ(dialog.ToDevice(245), 368);
    EXPECT_EQ(dialog.ToDevice(110), 165);
}

TEST(DpiScaleTest, AtStandardDpiEveryValueStaysAsItIs) {
    for (const DpiScale& scale : {DpiScale::WholeFactor(96), DpiScale::Proportional(96)}) {
        for (std::int32_t value : {-32768, -1, 0, 1, 89, 32767}) {
            EXPECT_EQ(scale.ToDevice(value), value);
            EXPECT_EQ(scale.ToForm(value), static_cast<float>(value));
            EXPECT_EQ(scale.ToFormPixel(value), value);
        }
        EXPECT_EQ(scale.ToDevice(14.5f), 15);
        EXPECT_EQ(scale.ToDevice(-14.5f), -14);
    }
}

TEST(DpiScaleTest, ProportionalScaleRoundsHalvesTowardsTheBottomRight) {
    const DpiScale scale = DpiScale::Proportional(144);
    EXPECT_EQ(scale.ToDevice(245), 368);  // 367.5
    EXPECT_EQ(scale.ToDevice(110), 165);
    EXPECT_EQ(scale.ToDevice(-3), -4);  // -4.5
    EXPECT_EQ(scale.ToDevice(-5), -7);  // -7.5
    EXPECT_EQ(scale.ToFormPixel(-4), -3);
    // Edges are scaled, not sizes, so that boxes that touch at 96 DPI still touch.
    EXPECT_EQ(scale.ToDevice(PixelRect{53, 3, 189, 21}), (PixelRect{80, 5, 284, 32}));
    EXPECT_EQ(scale.ToDevice(PixelRect{41, 18, 204, 36}), (PixelRect{62, 27, 306, 54}));
    EXPECT_EQ(DpiScale::Proportional(0), DpiScale::Proportional(96));
}

TEST(DpiScaleTest, WholeFactorMakesBlocksAndRoundsDevicePixelsToTheNearestFormPixel) {
    const DpiScale scale = DpiScale::WholeFactor(192);
    EXPECT_EQ(scale.ToDevice(-7), -14);
    EXPECT_EQ(scale.ToDevice(PixelRect{-1, 0, 89, 67}), (PixelRect{-2, 0, 178, 134}));
    EXPECT_EQ(scale.ToDevice(14.5f), 29);
    EXPECT_EQ(scale.ToDevice(-0.25f), 0);  // -0.5
    EXPECT_EQ(scale.ToDevice(-0.3f), -1);
    const std::vector<std::pair<std::int32_t, std::int32_t>> pixels{
        {0, 0}, {1, 1}, {2, 1}, {3, 2}, {-1, 0}, {-2, -1}, {-3, -1}, {-4, -2}};
    for (const auto& [device, form] : pixels) {
        EXPECT_EQ(scale.ToFormPixel(device), form) << device;
    }
    EXPECT_EQ(DpiScale::WholeFactor(288).ToFormPixel(-5), -2);  // -1.67
    EXPECT_EQ(DpiScale::WholeFactor(288).ToFormPixel(4), 1);    // 1.33
}

// Every device pixel belongs to exactly the form pixel whose scaled edges enclose it, at the
// edges of blocks and left of and above the window alike.
TEST(DpiScaleTest, EachDevicePixelIsOnTheFormPixelWhoseBlockHoldsIt) {
    for (int dpi : {96, 120, 144, 192, 240, 288}) {
        for (const DpiScale& scale : {DpiScale::WholeFactor(dpi), DpiScale::Proportional(dpi)}) {
            for (std::int32_t form = -50; form < 50; ++form) {
                for (std::int32_t device = scale.ToDevice(form); device < scale.ToDevice(form + 1);
                     ++device) {
                    ASSERT_EQ(scale.FormPixelAt(device), form)
                        << dpi << " DPI, " << scale.numerator() << "/" << scale.denominator()
                        << ", device pixel " << device;
                }
            }
        }
    }
    EXPECT_EQ(DpiScale::WholeFactor(192).FormPixelAt(29), 14);
    EXPECT_EQ(DpiScale::WholeFactor(192).FormPixelAt(-1), -1);
}

// A window position read by the form and set again comes back to the very device pixel.
TEST(DpiScaleTest, DevicePositionsSurviveTheTripThroughTheForm) {
    std::vector<DpiScale> scales;
    for (int dpi : {96, 120, 144, 168, 192, 240, 288, 384}) {
        scales.push_back(DpiScale::WholeFactor(dpi));
        scales.push_back(DpiScale::Proportional(dpi));
    }
    for (const DpiScale& scale : scales) {
        for (std::int32_t device = -20000; device <= 20000; ++device) {
            ASSERT_EQ(scale.ToDevice(scale.ToForm(device)), device)
                << scale.numerator() << "/" << scale.denominator();
        }
    }
}

// The form moves its window by the pointer's offset from the grab point, both read in its own
// pixels: the window must end exactly as far as the pointer went, in device pixels.
TEST(DpiScaleTest, ADragInFormPixelsMovesTheWindowByThePointersDevicePixels) {
    for (int dpi : {96, 144, 192, 288}) {
        const DpiScale scale = DpiScale::WholeFactor(dpi);
        std::int32_t window = 37;
        const std::int32_t grab = 45 * scale.numerator() + 1;  // device pixels into the client
        const float dragX = scale.ToForm(grab);
        std::int32_t pointer = window + grab;
        for (std::int32_t step : {3, 3, -7, 1, -200, 5, 1, 1, -1, 64}) {
            pointer += step;
            const float x = scale.ToForm(pointer - window);
            window = scale.ToDevice(scale.ToForm(window) + (x - dragX));
            ASSERT_EQ(pointer - window, grab) << dpi << " DPI";
        }
    }
}

TEST(DpiScaleTest, RescaledWindowKeepsTheAnchorOverTheSamePlace) {
    const DpiScale one = DpiScale::WholeFactor(96);
    const DpiScale two = DpiScale::WholeFactor(192);
    const DpiScale three = DpiScale::WholeFactor(288);
    // The pointer 30, 20 device pixels into the client area at 100 % is 60, 40 into it at 200 %.
    EXPECT_EQ(RescaledOrigin({100, 100}, {130, 120}, one, two), (Point{70, 80}));
    EXPECT_EQ(RescaledOrigin({70, 80}, {130, 120}, two, one), (Point{100, 100}));
    EXPECT_EQ(RescaledOrigin({-50, -10}, {-20, 5}, one, two), (Point{-80, -25}));
    EXPECT_EQ(RescaledOrigin({0, 0}, {-10, -6}, one, two), (Point{10, 6}));
    // A centre 45 device pixels in at factor 2 is 67.5 in at factor 3.
    EXPECT_EQ(RescaledOrigin({0, 0}, {45, 45}, two, three), (Point{-23, -23}));
    EXPECT_EQ(
        RescaledOrigin({0, 0}, {89, 67}, DpiScale::Proportional(96), DpiScale::Proportional(144)),
        (Point{-45, -34}));
}

// Two monitors that share an edge, each at its own DPI.
struct Monitor {
    PixelRect rect;
    int dpi = kStandardDpi;
};
using MonitorPair = std::array<Monitor, 2>;

std::int64_t Overlap(const PixelRect& a, const PixelRect& b) {
    const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return std::max<std::int64_t>(width, 0) * std::max<std::int64_t>(height, 0);
}

// The monitor whose DPI the system gives a window: the one that holds most of it.
const Monitor& MonitorOf(const PixelRect& window, const MonitorPair& monitors) {
    return Overlap(window, monitors[1].rect) > Overlap(window, monitors[0].rect) ? monitors[1]
                                                                                 : monitors[0];
}

Point Middle(const PixelRect& rect) {
    return {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
}

// The face (whole-factor scaling) dragged by a grab point at `grab` of its size (0 to 1), the
// pointer going in steps of one device pixel from the middle of one monitor to the middle of the
// other and back. Each move puts the grab point under the pointer at the face's scale, then lets
// the system change the scale as often as the face's place asks for: returns the most changes one
// move made.
int MostScaleChangesInOneMove(const MonitorPair& monitors, float grab) {
    constexpr Point kFace{94, 110};  // form pixels
    const Point grabbed{static_cast<std::int32_t>(grab * kFace.x),
                        static_cast<std::int32_t>(grab * kFace.y)};
    const Point from = Middle(monitors[0].rect);
    const Point to = Middle(monitors[1].rect);
    const std::int32_t steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    std::vector<Point> path;
    for (std::int32_t step = 0; step <= steps; ++step) {
        path.push_back(
            {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    }
    path.insert(path.end(), path.rbegin(), path.rend());

    int dpi = monitors[0].dpi;
    int most = 0;
    for (const Point pointer : path) {
        DpiScale scale = DpiScale::WholeFactor(dpi);
        const Point origin{pointer.x - scale.ToDevice(grabbed.x),
                           pointer.y - scale.ToDevice(grabbed.y)};
        PixelRect window{origin.x, origin.y, origin.x + scale.ToDevice(kFace.x),
                         origin.y + scale.ToDevice(kFace.y)};
        int changes = 0;
        while (MonitorOf(window, monitors).dpi != dpi && changes < 3) {
            const Monitor& chosen = MonitorOf(window, monitors);
            const DpiScale after = DpiScale::WholeFactor(chosen.dpi);
            const Point kept = RescaledOrigin({window.left, window.top}, pointer, scale, after);
            window = MiddleOnMonitor({kept.x, kept.y, kept.x + after.ToDevice(kFace.x),
                                      kept.y + after.ToDevice(kFace.y)},
                                     chosen.rect);
            dpi = chosen.dpi;
            scale = after;
            ++changes;
        }
        most = std::max(most, changes);
    }
    return most;
}

TEST(DpiScaleTest, AFaceDraggedBetweenMonitorsOfTwoScalesChangesScaleAtMostOnceAMove) {
    const std::vector<std::pair<const char*, MonitorPair>> pairs{
        {"100 % left of 200 %", {{{{0, 0, 1920, 1080}, 96}, {{1920, 0, 4480, 1440}, 192}}}},
        {"200 % left of 100 %, negative", {{{{0, 0, 1920, 1080}, 96}, {{-2560, 0, 0, 1440}, 192}}}},
        {"100 % above 150 %", {{{{0, 0, 1920, 1080}, 96}, {{0, 1080, 2880, 2700}, 144}}}},
        {"250 % above 125 %, negative",
         {{{{0, 0, 1920, 1080}, 120}, {{-400, -2160, 3440, 0}, 240}}}},
        {"300 % right of 100 %, both negative",
         {{{{-1920, -1080, 0, 0}, 96}, {{0, -2160, 3840, 0}, 288}}}},
    };
    for (const auto& [name, monitors] : pairs) {
        for (int tenth = 0; tenth <= 10; ++tenth) {
            const float grab = static_cast<float>(tenth) / 10;
            EXPECT_LE(MostScaleChangesInOneMove(monitors, grab), 1) << name << ", grab " << grab;
            const MonitorPair swapped{monitors[1], monitors[0]};
            EXPECT_LE(MostScaleChangesInOneMove(swapped, grab), 1)
                << name << " (from the other), grab " << grab;
        }
    }
}

TEST(DpiScaleTest, AWindowMovesTheLeastThatPutsItsMiddleOnTheMonitor) {
    const PixelRect monitor{0, 0, 1920, 1080};
    // Already there, or only just: it stays.
    EXPECT_EQ(MiddleOnMonitor({100, 100, 200, 200}, monitor), (PixelRect{100, 100, 200, 200}));
    EXPECT_EQ(MiddleOnMonitor({-49, -49, 51, 51}, monitor), (PixelRect{-49, -49, 51, 51}));
    // Its middle on the edge or outside: moved in until the middle is one pixel inside.
    EXPECT_EQ(MiddleOnMonitor({-50, 1030, 50, 1130}, monitor), (PixelRect{-49, 1029, 51, 1129}));
    EXPECT_EQ(MiddleOnMonitor({1900, -300, 2001, -199}, monitor), (PixelRect{1869, -50, 1970, 51}));
    EXPECT_EQ(MiddleOnMonitor({-2000, 50, -1900, 150}, {-1920, -1080, 0, 0}),
              (PixelRect{-1969, -51, -1869, 49}));
}

}  // namespace
}  // namespace zorvin
