// A window that loses the pointer while a button is held hands the form the releases it will
// never see, so that a drag always ends and the pupils always follow again; but the user never let
// go on anything, so such a release opens nothing.
#include "started_program.h"

namespace zorvin::testing {
namespace {

class LostRelease : public StartedProgram {
  protected:
    // The pupils look at the cursor placed at the client point now, after a tick.
    bool pupilsFollow(std::int32_t x, std::int32_t y) {
        const Point before = shownEye(0).shownAt();
        cursorAtClient(x, y);
        platform.tick();
        return shownEye(0).shownAt() != before;
    }
};

TEST_F(LostRelease, TheMenuOpenedDuringADragEndsItAndThePupilsFollowAfterwards) {
    pressImage1(vbLeftButton, 10, 10);
    pressImage1(vbRightButton, 10, 10);  // the menu opens and closes unchosen
    EXPECT_EQ(calls("PopupMenu").size(), 1u);
    EXPECT_EQ(timerInterval(), 100);
    EXPECT_TRUE(pupilsFollow(-400, 32));

    // The releases that really follow reach the face as ordinary releases without a press.
    releaseOnImage1(vbLeftButton, 10, 10);
    releaseOnImage1(vbRightButton, 10, 10);
    EXPECT_EQ(timerInterval(), 100);

    // The next drag grabs the face where it is pressed now, not where the last one began.
    const float left = form1().Left();
    pressImage1(vbLeftButton, 30, 30);
    moveOnImage1(vbLeftButton, 35, 34);
    EXPECT_FLOAT_EQ(form1().Left(), left + 5);
}

TEST_F(LostRelease, AnotherProgramTakingThePointerEndsTheDrag) {
    pressImage1(vbLeftButton, 10, 10);
    moveOnImage1(vbLeftButton, 20, 10);
    const float left = form1().Left();
    platform.takePointerAway("Form1");
    EXPECT_EQ(timerInterval(), 100);

    // Moves after the loss carry nothing along.
    moveOnImage1(vbLeftButton, 60, 10);
    EXPECT_FLOAT_EQ(form1().Left(), left);
    EXPECT_TRUE(pupilsFollow(500, 32));
}

TEST_F(LostRelease, WithNoButtonHeldLosingThePointerDeliversNothing) {
    pressImage1(vbLeftButton, 10, 10);
    releaseOnImage1(vbLeftButton, 10, 10);
    pressImage1(vbLeftButton, 10, 10);
    releaseOnImage1(vbLeftButton, 10, 10);
    platform.takePointerAway("Form1");
    EXPECT_EQ(timerInterval(), 100);
}

TEST_F(LostRelease, ALinkPressedWhenThePointerIsTakenTurnsBackWithoutOpening) {
    platform.chooseMenuItem("Form1", "mAbout");
    for (const std::string_view link : {"Email", "Homepage"}) {
        for (const std::int16_t button : {vbLeftButton, vbRightButton}) {
            platform.mouseDown("Form2", {link}, button, 5, 5);
            EXPECT_EQ(form2()->label({link}).ForeColor(), Colour{0x800080});
            platform.takePointerAway("Form2");
            EXPECT_EQ(form2()->label({link}).ForeColor(), Colour{0x800000});
        }
    }
    EXPECT_TRUE(platform.opened().empty());

    // The next press and release on a link opens it as ever.
    platform.mouseDown("Form2", {"Homepage"}, vbLeftButton, 5, 5);
    platform.mouseUp("Form2", {"Homepage"}, vbLeftButton, 5, 5);
    EXPECT_EQ(platform.opened().size(), 1u);
}

}  // namespace
}  // namespace zorvin::testing
