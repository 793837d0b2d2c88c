// The face on displays at 150 % and 200 %: it grows by a whole factor, 2 at both, so that its
// pixels stay square blocks. The figures are written out on purpose, rather than worked out by the
// scaling the program uses, so that a rounding fault there cannot move program and test together.
#include "started_program.h"

namespace zorvin::testing {
namespace {

class FaceAtDpi : public StartedProgram, public ::testing::WithParamInterface<int> {
  protected:
    FaceAtDpi() : StartedProgram(GetParam()) {}

    // Puts the cursor on the device pixel (x, y) of Form1's client area.
    void cursorAtDevice(std::int32_t x, std::int32_t y) {
        const Point origin = form1().clientOrigin();
        platform.setCursor({origin.x + x, origin.y + y});
        platform.tick();
    }
};

TEST_P(FaceAtDpi, PupilsLandOnWholeBlocksOfTheirFormPixels) {
    EXPECT_EQ(shownEye(0).shownAt(), (Point{28, 56}));
    EXPECT_EQ(shownEye(1).shownAt(), (Point{126, 56}));
    cursorAtDevice(42, 64);  // on the left eye's centre, form pixel (21, 32)
    EXPECT_FLOAT_EQ(eye(0).Left(), 17.5f);
    EXPECT_EQ(shownEye(0).shownAt(), (Point{36, 56})) << "17.5 shows at form pixel 18";
}

TEST_P(FaceAtDpi, ADragMovesTheWindowByTheFormsPixelsScaled) {
    const Rect start = form1().outerRect();
    const float left = form1().Left();
    pressImage1(vbLeftButton, 40, 10);
    moveOnImage1(vbLeftButton, 45, 13);
    EXPECT_FLOAT_EQ(form1().Left(), left + 5);
    EXPECT_EQ(form1().outerRect().left, start.left + 10);
    EXPECT_EQ(form1().outerRect().top, start.top + 6);
    releaseOnImage1(vbLeftButton, 45, 13);
}

INSTANTIATE_TEST_SUITE_P(Displays, FaceAtDpi, ::testing::Values(144, 192));

}  // namespace
}  // namespace zorvin::testing
