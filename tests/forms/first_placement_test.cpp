// Where windows first appear: centred on a screen, the About box on the screen that holds most of
// the face.
#include "platform/common/screen_placement.h"
#include "started_program.h"

namespace zorvin::testing {
namespace {

constexpr Rect kLeftScreen{0, 0, 1280, 1024};
constexpr Rect kRightScreen{1280, 0, 2560, 1024};

// The outer window's centre lies on the screen's, to within the half pixel an odd size leaves.
void ExpectCentredOn(const HeadlessWindow& window, const Rect& screen) {
    const Rect outer = window.outerRect();
    EXPECT_NEAR((outer.left + outer.right) / 2.0, (screen.left + screen.right) / 2.0, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2.0, (screen.top + screen.bottom) / 2.0, 1);
}

class TwoScreens : public StartedProgram {
  protected:
    TwoScreens() { platform.setScreens({kLeftScreen, kRightScreen}); }

    // Drags the face by (dx, 0).
    void dragFaceBy(float dx) {
        pressImage1(vbLeftButton, 40, 10);
        moveOnImage1(vbLeftButton, 40 + dx, 10);
        releaseOnImage1(vbLeftButton, 40 + dx, 10);
    }
};

TEST_F(TwoScreens, TheAboutBoxOpensCentredOnTheScreenThatHoldsMostOfTheFace) {
    dragFaceBy(1280);
    platform.chooseMenuItem("Form1", "mAbout");
    ExpectCentredOn(*form2(), kRightScreen);
}

TEST_F(TwoScreens, AFaceAcrossTheBorderCountsForTheScreenWithItsLargerPart) {
    const Rect face = form1().outerRect();
    dragFaceBy(static_cast<float>(1280 - (face.left + face.right) / 2 + 10));  // more on the right
    platform.chooseMenuItem("Form1", "mAbout");
    ExpectCentredOn(*form2(), kRightScreen);

    platform.clickButton("Form2", "Command1");
    dragFaceBy(-20);  // now more on the left
    platform.chooseMenuItem("Form1", "mAbout");
    ExpectCentredOn(*form2(), kLeftScreen);
}

TEST_F(TwoScreens, AFaceOffEveryScreenSendsTheAboutBoxToThePrimaryScreen) {
    dragFaceBy(-3000);
    platform.chooseMenuItem("Form1", "mAbout");
    ExpectCentredOn(*form2(), kLeftScreen);
}

TEST(ScreenPlacement, CentresOnAScreenLeftOfOrAboveThePrimaryOne) {
    const Rect screen{-1024, -768, 0, 0};
    EXPECT_EQ(CentredOn(screen, {100, 50}), (Point{-1024 + 462, -768 + 359}));
}

}  // namespace
}  // namespace zorvin::testing
