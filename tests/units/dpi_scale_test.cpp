// Both programs' mapping between their forms' pixels and the display's device pixels.
#include "platform/dpi_scale/dpi_scale.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <tuple>
#include <vector>

namespace zorvin {

// A place that differs reads as x, y.
static void PrintTo(const Point& point, std::ostream* out) {
    *out << point.x << ", " << point.y;
}

static void PrintTo(const Rect& rect, std::ostream* out) {
    *out << rect.left << ", " << rect.top << " to " << rect.right << ", " << rect.bottom;
}

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

// A DPI worked out from a user's setting (Xft.dpi times QT_SCALE_FACTOR) can be anything.
TEST(DpiScaleTest, ADpiOrFactorBeyondTheScalesIsTheNearestScaleAndOneThatIsNoneIsTheStandard) {
    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<double, int>> dpis{
        {infinity, 96}, {-infinity, 96}, {nan, 96},  {0, 96},      {-144, 96},
        {72, 96},       {143.6, 144},    {768, 768}, {1e300, 768}, {96e9, 768}};
    for (const auto& [dpi, sane] : dpis) {
        EXPECT_EQ(SaneDpi(dpi), sane) << dpi << " DPI";
    }
    const std::vector<std::pair<double, double>> factors{{infinity, 1}, {nan, 1},   {-2, 1},
                                                         {0.5, 1},      {1.3, 1.3}, {1e9, 8}};
    for (const auto& [factor, sane] : factors) {
        EXPECT_EQ(SaneScaleFactor(factor), sane) << "x" << factor;
    }
    // What 1e9 times 96 DPI once wrapped to.
    EXPECT_EQ(DpiScale::WholeFactor(1'510'719'488).numerator(), 8);
    EXPECT_EQ(DpiScale::Proportional(1'510'719'488).numerator(), 768);
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
    EXPECT_EQ(scale.ToDevice(Rect{53, 3, 189, 21}), (Rect{80, 5, 284, 32}));
    EXPECT_EQ(scale.ToDevice(Rect{41, 18, 204, 36}), (Rect{62, 27, 306, 54}));
    EXPECT_EQ(DpiScale::Proportional(0), DpiScale::Proportional(96));
}

TEST(DpiScaleTest, WholeFactorMakesBlocksAndRoundsDevicePixelsToTheNearestFormPixel) {
    const DpiScale scale = DpiScale::WholeFactor(192);
    EXPECT_EQ(scale.ToDevice(-7), -14);
    EXPECT_EQ(scale.ToDevice(Rect{-1, 0, 89, 67}), (Rect{-2, 0, 178, 134}));
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

// The face, 89 x 67 form pixels, rescaled with its client area at `origin`. Its frame puts the
// client area 3 pixels in and 26 down, and adds 6 across and 29 down.
Point FacePlace(int dpi, int newDpi, Point origin, std::optional<Point> pointer,
                const Rect& monitor = {0, 0, 1920, 1080}) {
    const DpiScale after = DpiScale::WholeFactor(newDpi);
    const Size outer{after.ToDevice(89) + 6, after.ToDevice(67) + 29};
    return RescaledPlace(
        {DpiScale::WholeFactor(dpi), after, origin, {89, 67}, pointer, {3, 26}, outer, monitor});
}

TEST(DpiScaleTest, ARescaledWindowKeepsItsCentreOrThePointUnderThePointer) {
    // The centre, 44, 33 device pixels into the client area at 100 %, is 88, 66 into it at 200 %.
    EXPECT_EQ(FacePlace(96, 192, {100, 100}, {}), (Point{53, 41}));
    // The pointer 30, 20 device pixels into the client area at 100 % is 60, 40 into it at 200 %.
    EXPECT_EQ(FacePlace(96, 192, {100, 100}, Point{130, 120}), (Point{67, 54}));
    EXPECT_EQ(FacePlace(192, 96, {70, 80}, Point{130, 120}), (Point{97, 74}));
    EXPECT_EQ(FacePlace(96, 192, {-50, -10}, Point{-20, 5}, {-1920, -1080, 1920, 1080}),
              (Point{-83, -51}));
    // The centre 89, 67 device pixels in at 200 % is 133.5, 100.5 in at 300 %.
    EXPECT_EQ(FacePlace(192, 288, {0, 0}, {}), (Point{-48, -60}));
}

// Between 100 % and 125 % the face keeps its size, 95 x 96 with its frame, and only moves: the
// least that puts its middle strictly inside the monitor, by half pixels.
TEST(DpiScaleTest, ARescaledWindowMovesTheLeastThatPutsItsMiddleOnItsMonitor) {
    EXPECT_EQ(FacePlace(96, 120, {-44, -21}, {}), (Point{-47, -47}));  // middle 0.5, 1
    EXPECT_EQ(FacePlace(96, 120, {-45, -22}, {}), (Point{-47, -47}));
    EXPECT_EQ(FacePlace(96, 120, {1875, 1057}, {}), (Point{1872, 1031}));  // 1919.5, 1079
    EXPECT_EQ(FacePlace(96, 120, {1876, 1058}, {}), (Point{1872, 1031}));
    EXPECT_EQ(FacePlace(96, 120, {5000, -3000}, {}), (Point{1872, -47}));
    EXPECT_EQ(FacePlace(96, 120, {-2000, 50}, {}, {-1920, -1080, 0, 0}), (Point{-1967, -49}));
}

// A place far beyond the screens, at 800 %, ends at the far end of the device's coordinates, never
// wrapped round to the other end.
TEST(DpiScaleTest, AtTheHighestDpiPlacesBeyondADevicesCoordinatesEndAtTheirLimit) {
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
    for (const DpiScale& scale : {DpiScale::WholeFactor(768), DpiScale::Proportional(768)}) {
        EXPECT_EQ(scale.ToDevice(268'435'455), 2'147'483'640);
        EXPECT_EQ(scale.ToDevice(268'435'456), kHighest);
        EXPECT_EQ(scale.ToDevice(kLowest), kLowest);
        EXPECT_EQ(scale.ToDevice(Rect{-300'000'000, 0, 300'000'000, 1}),
                  (Rect{kLowest, 0, kHighest, 8}));
        EXPECT_EQ(scale.ToDevice(3e9f), kHighest);
        EXPECT_EQ(scale.ToDevice(std::numeric_limits<float>::quiet_NaN()), 0);
    }
    // Rescaled to 800 % around its centre, 133 pixels inside the lowest coordinate, the face's
    // client area would begin 131 pixels beyond it: it begins at the limit, and its monitor takes
    // it in from there.
    EXPECT_EQ(FacePlace(96, 768, {kHighest - 100, kLowest + 100}, {}), (Point{1560, -282}));
}

// A monitor at 100 % left of one at 200 %, the face dragged across their edge by a point 80 % of
// the way across it, 71, 53 form pixels in. Rescaled around the pointer alone, it would lie mostly
// on the monitor it came from and take that monitor's DPI again at once: rightwards with the
// pointer 28 pixels past the edge, from 1803 to 1987 at 200 %; leftwards with the pointer still 52
// pixels right of it, from 1898 to 1993 at 100 %.
TEST(DpiScaleTest, AFaceDraggedOntoAMonitorOfAnotherScaleStaysOnIt) {
    const Rect left{0, 0, 1920, 1080};
    const Rect right{1920, 0, 4480, 1440};
    EXPECT_EQ(FacePlace(96, 192, {1877, 447}, Point{1948, 500}, right), (Point{1829, 368}));
    EXPECT_EQ(FacePlace(192, 96, {1830, 394}, Point{1972, 500}, left), (Point{1872, 421}));
}

}  // namespace
}  // namespace zorvin
