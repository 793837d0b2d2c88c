#include <algorithm>

#include "started_program.h"

namespace zorvin::testing {
namespace {

class Dragging : public StartedProgram {
  protected:
    Dragging() : startLeft(form1().Left()), startTop(form1().Top()) {}

    void expectWindowMovedBy(float dx, float dy) {
        EXPECT_FLOAT_EQ(form1().Left(), startLeft + dx);
        EXPECT_FLOAT_EQ(form1().Top(), startTop + dy);
    }

    const float startLeft;
    const float startTop;
};

TEST_F(Dragging, PressAndReleaseWithoutMovingLeavesTheWindowAndRestartsTracking) {
    EXPECT_EQ(timerInterval(), 100);
    pressImage1(vbLeftButton, 40, 10);
    EXPECT_EQ(timerInterval(), 0);
    releaseOnImage1(vbLeftButton, 40, 10);
    EXPECT_EQ(timerInterval(), 100);
    expectWindowMovedBy(0, 0);
}

TEST_F(Dragging, WindowFollowsThePointerOffsetFromTheGrabPoint) {
    pressImage1(vbLeftButton, 40, 10);
    moveOnImage1(vbLeftButton, 45, 13);
    expectWindowMovedBy(5, 3);
    // Each move lets the window repaint at its new place while the button is held.
    EXPECT_EQ(calls("DoEvents").size(), 1u);
    // The pointer is back on the grab point of the moved window: no further move.
    moveOnImage1(vbLeftButton, 40, 10);
    expectWindowMovedBy(5, 3);
    moveOnImage1(vbLeftButton, 38.5f, 9);
    expectWindowMovedBy(3.5f, 2);
    releaseOnImage1(vbLeftButton, 40, 10);
    expectWindowMovedBy(3.5f, 2);
}

TEST_F(Dragging, WindowMayGoWhollyOffTheScreenAndStaysWhereReleased) {
    pressImage1(vbLeftButton, 40, 10);
    moveOnImage1(vbLeftButton, -3000, -2000);
    releaseOnImage1(vbLeftButton, -3000, -2000);
    expectWindowMovedBy(-3040, -2010);
}

TEST_F(Dragging, OnlyTheLeftButtonAloneMovesTheWindow) {
    moveOnImage1(vbLeftButton, 50, 50);  // no drag in progress
    expectWindowMovedBy(0, 0);

    pressImage1(vbLeftButton, 40, 10);
    moveOnImage1(vbLeftButton + vbRightButton, 60, 20);
    moveOnImage1(vbLeftButton + vbMiddleButton, 60, 20);
    moveOnImage1(0, 60, 20);
    expectWindowMovedBy(0, 0);
    EXPECT_EQ(timerInterval(), 0) << "still dragging";
}

TEST_F(Dragging, MiddleAndRightReleasesDoNotEndTheDrag) {
    pressImage1(vbLeftButton, 40, 10);
    platform.mouseDown("Form1", {"Image1"}, vbMiddleButton, 40, 10);
    EXPECT_TRUE(calls("PopupMenu").empty()) << "a middle press opens nothing";
    releaseOnImage1(vbMiddleButton, 40, 10);
    EXPECT_EQ(timerInterval(), 0);
}

TEST_F(Dragging, ASecondLeftPressDuringADragKeepsTheFirstGrabPoint) {
    pressImage1(vbLeftButton, 10, 10);
    pressImage1(vbLeftButton, 30, 30);
    moveOnImage1(vbLeftButton, 35, 35);
    expectWindowMovedBy(25, 25);
}

TEST_F(Dragging, EachStepMovesTheWindowOnceToItsNewPlace) {
    pressImage1(vbLeftButton, 40, 10);
    moveOnImage1(vbLeftButton, 45, 13);
    moveOnImage1(vbLeftButton, 45, 10);  // only Top changes
    releaseOnImage1(vbLeftButton, 45, 10);
    const auto x = static_cast<int>(startLeft);
    const auto y = static_cast<int>(startTop);
    EXPECT_EQ(calls("Move"),
              (std::vector<std::string>{
                  "Move Form1 " + std::to_string(x + 5) + " " + std::to_string(y + 3),
                  "Move Form1 " + std::to_string(x + 10) + " " + std::to_string(y + 3)}));
    // The move comes before the repaint the step asks for.
    const auto& log = platform.log();
    const auto firstMove = std::find(log.begin(), log.end(), calls("Move").front());
    ASSERT_NE(firstMove + 1, log.end());
    EXPECT_EQ(*(firstMove + 1), "DoEvents");
}

// The drag begins after the timer has gone to sleep over a still desktop.
TEST_F(Dragging, PupilsFreezeDuringADragAndAimFromTheNewPlaceAfterIt) {
    cursorAtClient(500, 32);
    platform.tick();
    platform.tick();
    platform.tick();
    ASSERT_EQ(timer1().period(), kLookPeriod) << "asleep";
    const Point lookingRight = shownEye(0).shownAt();

    // Grab the face straight above the left eye and carry it 100 pixels to the right.
    pressImage1(vbLeftButton, 21, 10);
    cursorAtClient(121, 10);
    moveOnImage1(vbLeftButton, 121, 10);
    const auto looks = calls("CursorPosition").size();
    platform.tick();
    platform.tick();
    EXPECT_EQ(calls("CursorPosition").size(), looks) << "the timer is stopped";
    EXPECT_EQ(shownEye(0).shownAt(), lookingRight);

    releaseOnImage1(vbLeftButton, 21, 10);
    platform.tick();
    // Seen from the window's new place, the cursor is straight above the left eye.
    EXPECT_FLOAT_EQ(eye(0).Left(), 21 - 3.5f);
    EXPECT_FLOAT_EQ(eye(0).Top(), 32 - 3 - 4);
}

TEST_F(Dragging, APressOnAPupilReachesNoHandler) {
    for (const std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
        for (std::int16_t button : {vbLeftButton, vbRightButton}) {
            platform.mouseDown("Form1", {"Eye", index}, button, 3, 3);
            platform.mouseMove("Form1", {"Eye", index}, button, 30, 30);
            platform.mouseUp("Form1", {"Eye", index}, button, 30, 30);
        }
    }
    EXPECT_EQ(timerInterval(), 100);
    EXPECT_TRUE(calls("PopupMenu").empty());
    expectWindowMovedBy(0, 0);
}

}  // namespace
}  // namespace zorvin::testing
