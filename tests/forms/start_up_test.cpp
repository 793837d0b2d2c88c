#include <array>
#include <vector>

#include "character/face_geometry.h"
#include "character/form1.h"
#include "started_program.h"

namespace zorvin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using StartUp = StartedProgram;

TEST_F(StartUp, ShapesTheWindowAndMakesItTopmostBeforeShowingIt) {
    EXPECT_THAT(platform.log(), ElementsAre("Load Form1", "Shape Form1", "Show Form1"));
    EXPECT_TRUE(form1().topmost());
    EXPECT_TRUE(alwaysOnTopChecked()) << "the check mark and the stacking agree from the start";
    EXPECT_TRUE(form1().visible());
}

// The table itself is checked against the face picture's pixels by the artwork's tests.
TEST_F(StartUp, ShapeIsTheWholeOutlineInTableOrderWithTheEvenOddRule) {
    const headless::Shape& shape = form1().shape().value();
    EXPECT_THAT(shape.outline, ElementsAreArray(kFaceOutline));
    EXPECT_EQ(shape.rule, FillRule::EvenOdd);
    EXPECT_EQ(form1().layout().clientOrigin, kFaceOutlineClientOrigin)
        << "the window's frame is the one the outline is drawn for";
}

TEST_F(StartUp, PupilsWaitAtTheirDesignPlacesUntilTheCursorIsSomewhereNew) {
    EXPECT_EQ(shownEye(0).shownAt(), (Point{14, 28}));
    EXPECT_EQ(shownEye(1).shownAt(), (Point{63, 28}));

    // The first tick sees the cursor at the screen's corner, where the last position seen starts.
    platform.setCursor({0, 0});
    platform.tick();
    EXPECT_EQ(shownEye(0).shownAt(), (Point{14, 28}));
    EXPECT_EQ(shownEye(1).shownAt(), (Point{63, 28}));
    EXPECT_TRUE(calls("ScreenToClient").empty());

    platform.setCursor({1, 0});
    platform.tick();
    EXPECT_EQ(calls("ScreenToClient").size(), 1u);
    EXPECT_NE(shownEye(0).shownAt(), (Point{14, 28}));
}

TEST_F(StartUp, WindowIsCentredOnTheScreen) {
    const float outerWidth = 3 + 89 + 3;
    const float outerHeight = 22 + 67 + 3;
    EXPECT_NEAR(form1().Left() + outerWidth / 2, 1280 / 2, 1);
    EXPECT_NEAR(form1().Top() + outerHeight / 2, 1024 / 2, 1);
}

TEST_F(StartUp, AnUncheckedStayOnTopItemStartsTheWindowNotTopmost) {
    // A second run whose menu item is unchecked before Form_Load runs again.
    form1().menuItem("mAlwaysOnTop").setChecked(false);
    program.form1().Form_Load();
    EXPECT_FALSE(form1().topmost());
}

}  // namespace
}  // namespace zorvin::testing
