#include <cmath>

#include "character/face_geometry.h"
#include "started_program.h"

namespace zorvin::testing {
namespace {

// A pupil is 7 x 8, so its top-left corner is its centre less (3.5, 4).
constexpr std::int32_t kLeftX = kLeftEyeGeometry.CenterX, kRightX = kRightEyeGeometry.CenterX,
                       kEyeY = kLeftEyeGeometry.CenterY, kMiddleX = (kLeftX + kRightX) / 2;

class PupilTracking : public StartedProgram {
  protected:
    void lookAtClient(std::int32_t x, std::int32_t y) {
        cursorAtClient(x, y);
        platform.tick();
    }
    void expectPupilCentre(std::int16_t index, float x, float y) {
        EXPECT_FLOAT_EQ(eye(index).Left(), x - 3.5f) << "pupil " << index;
        EXPECT_FLOAT_EQ(eye(index).Top(), y - 4) << "pupil " << index;
    }
};

TEST_F(PupilTracking, CursorOnAnEyeCentrePutsThatPupilInTheMiddle) {
    lookAtClient(kLeftX, kEyeY);
    expectPupilCentre(0, kLeftX, kEyeY);
    EXPECT_EQ(shownEye(0).shownAt(), (Point{18, 28})) << "17.5 shows at the pixel to its right";
    // The other pupil still looks at the cursor: straight left.
    expectPupilCentre(1, kRightX - 5, kEyeY);
}

TEST_F(PupilTracking, CursorFarRightAtEyeHeightTurnsBothPupilsFullyRight) {
    lookAtClient(5000, kEyeY);
    expectPupilCentre(0, kLeftX + 5, kEyeY);
    expectPupilCentre(1, kRightX + 5, kEyeY);
}

TEST_F(PupilTracking, CursorStraightAboveAnEyeLiftsThatPupilByItsVerticalReach) {
    lookAtClient(kRightX, -400);
    expectPupilCentre(1, kRightX, kEyeY - 3);
}

TEST_F(PupilTracking, OnTheDiagonalTheUnitVectorIsScaledNotIntersectedWithTheEllipse) {
    lookAtClient(kLeftX + 700, kEyeY + 700);
    expectPupilCentre(0, kLeftX + 5 * 0.70710678f, kEyeY + 3 * 0.70710678f);
}

TEST_F(PupilTracking, PupilsConvergeOnACursorBetweenTheEyes) {
    lookAtClient(kMiddleX, kEyeY);
    expectPupilCentre(0, kLeftX + 5, kEyeY);
    expectPupilCentre(1, kRightX - 5, kEyeY);
}

TEST_F(PupilTracking, CursorsOnOtherScreensAtNegativeCoordinatesAreFollowed) {
    platform.setCursor({-3000, form1().clientOrigin().y + kEyeY});
    platform.tick();
    expectPupilCentre(0, kLeftX - 5, kEyeY);
    expectPupilCentre(1, kRightX - 5, kEyeY);
}

// A move that ends on the pixel where it began (or a window moved and back) gives the tick
// nothing new to show.
TEST_F(PupilTracking, ACursorBackWhereItWasMovesNoPupil) {
    lookAtClient(300, 300);
    const int left = shownEye(0).moves();
    const int right = shownEye(1).moves();
    const auto conversions = calls("ScreenToClient").size();

    lookAtClient(300, 300);

    EXPECT_EQ(shownEye(0).moves(), left);
    EXPECT_EQ(shownEye(1).moves(), right);
    EXPECT_EQ(calls("ScreenToClient").size(), conversions);
    EXPECT_EQ(calls("CursorPosition").size(), 2u) << "the tick looked at the cursor";
}

TEST_F(PupilTracking, EveryPupilPlaceStaysInsideItsSocket) {
    // The sockets span x 16 to 25 and 65 to 75, y 28 to 34; the pupil's top-left corner may range
    // over x 12.5 to 22.5 (left) and 62.5 to 72.5 (right), y 25 to 31.
    for (int angle = 0; angle < 360; angle += 5) {
        const double radians = angle * 3.14159265358979 / 180;
        lookAtClient(kMiddleX + static_cast<std::int32_t>(2000 * std::cos(radians)),
                     kEyeY + static_cast<std::int32_t>(2000 * std::sin(radians)));
        for (const std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
            const float minLeft = index == 0 ? 12.5f : 62.5f;
            EXPECT_GE(eye(index).Left(), minLeft) << angle;
            EXPECT_LE(eye(index).Left(), minLeft + 10) << angle;
            EXPECT_GE(eye(index).Top(), 25) << angle;
            EXPECT_LE(eye(index).Top(), 31) << angle;
        }
    }
}

TEST_F(PupilTracking, AWindowMovedUnderAStillCursorReAimsThePupils) {
    lookAtClient(kLeftX, -400);  // straight above the left eye
    expectPupilCentre(0, kLeftX, kEyeY - 3);
    platform.tick();
    platform.tick();
    ASSERT_EQ(timer1().period(), kLookPeriod) << "asleep";

    // The window manager puts the window 300 pixels to the left; the cursor stays.
    const Point origin = form1().clientOrigin();
    platform.moveByWindowManager("Form1", {static_cast<std::int32_t>(form1().Left()) - 300,
                                           static_cast<int>(form1().Top())});
    platform.tick();
    EXPECT_GT(eye(0).Left(), kLeftX - 3.5f) << "the pupil now looks right, where the cursor is";
    EXPECT_EQ(form1().clientOrigin().x, origin.x - 300);
}

// The first tick that finds nothing changed puts the timer to sleep; the form still reads the
// interval it set. Asleep, it looks once a second, which finds a cursor that another program
// warped and told nobody of; the warps after that one are followed at every tick.
TEST_F(PupilTracking, AStillDesktopCostsALookASecondWhichFindsWarpsNothingTold) {
    lookAtClient(200, 200);
    platform.tick();  // finds the cursor where the last tick did
    ASSERT_EQ(timer1().period(), kLookPeriod) << "asleep";
    const auto looks = calls("CursorPosition").size();
    const auto moves = shownEye(0).moves() + shownEye(1).moves();
    const Point origin = form1().clientOrigin();
    platform.warpCursor({origin.x + kLeftX, origin.y - 400});
    for (int i = 0; i < 9; ++i) {
        platform.tick();
    }
    EXPECT_EQ(calls("CursorPosition").size(), looks);
    EXPECT_EQ(shownEye(0).moves() + shownEye(1).moves(), moves);
    EXPECT_EQ(timerInterval(), 100);

    platform.tick();
    EXPECT_EQ(calls("CursorPosition").size(), looks + 1);
    expectPupilCentre(0, kLeftX, kEyeY - 3);
    platform.warpCursor({origin.x + kLeftX, origin.y + 500});
    platform.tick();
    expectPupilCentre(0, kLeftX, kEyeY + 3);
}

// Where no event tells of the warps, the look finds the first, and that change nothing told keeps
// every tick running, as a plain timer's, until nothing has changed for a few seconds: a warp a
// second after the last one is followed at the next tick.
TEST_F(PupilTracking, AWarpNothingToldKeepsTheTicksRunningUntilTheDesktopIsStillAgain) {
    lookAtClient(200, 200);
    platform.tick();
    platform.tick();
    ASSERT_EQ(timer1().period(), kLookPeriod) << "asleep";
    const Point origin = form1().clientOrigin();
    platform.warpCursor({origin.x + kLeftX, origin.y - 400});
    for (int i = 0; i < 10; ++i) {
        platform.tick();
    }
    expectPupilCentre(0, kLeftX, kEyeY - 3);
    for (int i = 0; i < 10; ++i) {
        platform.tick();
    }
    platform.warpCursor({origin.x + kLeftX, origin.y + 500});
    platform.tick();
    expectPupilCentre(0, kLeftX, kEyeY + 3);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(timer1().period(), std::chrono::milliseconds(100)) << "awake, at tick " << i;
        platform.tick();
    }
    platform.tick();
    EXPECT_EQ(timer1().period(), kLookPeriod) << "asleep after three still seconds";
}

TEST_F(PupilTracking, ScreensChangedUnderAStillCursorAreLookedAt) {
    lookAtClient(200, 200);
    platform.tick();
    const auto looks = calls("CursorPosition").size();
    platform.setScreens({{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}});
    platform.tick();
    EXPECT_EQ(calls("CursorPosition").size(), looks + 1);
}

}  // namespace
}  // namespace zorvin::testing
