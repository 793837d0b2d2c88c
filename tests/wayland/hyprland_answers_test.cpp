// Hyprland's answers on its control socket, read into its logical layout.
#include <gtest/gtest.h>

#include "platform/qt/pointer/hyprland_answers.h"

namespace zorvin::qt {
namespace {

// 2560 / 1.5 is 1706.67: the next monitor starts at 1707. The one turned a quarter shows its
// 1920x1080 mode as 1080x1920, at 1.25 as 864x1536.
TEST(HyprlandAnswers, MonitorsScaledAndTurned) {
    const auto monitors = HyprlandMonitors(R"([
        {"id": 0, "name": "DP-1", "x": 0, "y": 0, "width": 2560, "height": 1440,
         "refreshRate": 59.95, "scale": 1.50, "transform": 0},
        {"id": 1, "name": "HDMI-A-1", "x": 1707, "y": -200, "width": 1920, "height": 1080,
         "scale": 1.25, "transform": 1}])");
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].name, QStringLiteral("DP-1"));
    EXPECT_EQ(monitors[0].rect, QRect(0, 0, 1707, 960));
    EXPECT_EQ(monitors[1].rect, QRect(1707, -200, 864, 1536));
}

TEST(HyprlandAnswers, MalformedAnswersAreLeftOut) {
    EXPECT_TRUE(HyprlandMonitors("not json").empty());
    EXPECT_TRUE(HyprlandMonitors(R"({"x": 0})").empty());
    const auto monitors = HyprlandMonitors(R"([1, "DP-1", {"x": 0, "y": 0, "width": 800},
        {"x": 0, "y": 0, "width": 800, "height": 600, "scale": 0},
        {"x": "0", "y": 0, "width": 800, "height": 600, "scale": 1},
        {"x": 1e300, "y": 0, "width": 800, "height": 600, "scale": 1},
        {"x": 0, "y": 0, "width": 800, "height": 600, "scale": 1e-300},
        {"x": 0, "y": 0, "width": 800, "height": 600, "scale": 2}])");
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].rect, QRect(0, 0, 400, 300));

    EXPECT_EQ(HyprlandCursor(R"({"x": -12, "y": 34})"), QPoint(-12, 34));
    for (const char* answer :
         {"", "[12, 34]", R"({"x": 12})", R"({"x": "12", "y": 34})", R"({"x": 1e300, "y": 34})"}) {
        EXPECT_EQ(HyprlandCursor(answer), std::nullopt) << answer;
    }
}

}  // namespace
}  // namespace zorvin::qt
