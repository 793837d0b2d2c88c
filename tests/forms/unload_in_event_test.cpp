// A window closed while one of its own events is still running: the rest of that event does
// nothing more with the window, and the program ends cleanly once no window is left.
#include "started_program.h"

namespace zorvin::testing {
namespace {

using ::testing::ElementsAre;

using UnloadInEvent = StartedProgram;

TEST_F(UnloadInEvent, ClosingTheFaceWhileItsMenuIsOpenEndsTheProgramWithoutAChoice) {
    platform.closeFromCaptionDuringPopup("Form1");
    platform.choosePopupItem("mAbout");
    pressImage1(vbRightButton, 40, 40);

    EXPECT_TRUE(platform.ended());
    EXPECT_EQ(platform.window("Form1"), nullptr);
    EXPECT_EQ(platform.window("Form2"), nullptr) << "the choice made no About box";
    EXPECT_EQ(platform.log().back(), "End");
}

TEST_F(UnloadInEvent, ClosingTheFaceDuringItsMenuWithTheAboutBoxOpenLeavesTheBoxRunning) {
    platform.chooseMenuItem("Form1", "mAbout");
    platform.closeFromCaptionDuringPopup("Form1");
    platform.choosePopupItem("mExit");
    pressImage1(vbLeftButton, 40, 40);
    pressImage1(vbRightButton, 40, 40);

    EXPECT_FALSE(platform.ended()) << "Exit was never chosen";
    EXPECT_EQ(platform.window("Form1"), nullptr);
    EXPECT_TRUE(form2()->visible());
    EXPECT_THAT(calls("Unload"), ElementsAre("Unload Form1"));

    platform.clickButton("Form2", "Command1");
    EXPECT_TRUE(platform.ended());
}

TEST_F(UnloadInEvent, TheAboutBoxClosedByItsOwnButtonCanBeOpenedAgain) {
    for (int round = 0; round < 3; ++round) {
        platform.chooseMenuItem("Form1", "mAbout");
        platform.pressKey("Form2", round % 2 == 0 ? Key::Escape : Key::Enter);
        EXPECT_EQ(form2(), nullptr);
    }
    platform.chooseMenuItem("Form1", "mAbout");
    platform.closeFromCaption("Form2");
    EXPECT_EQ(form2(), nullptr);
    EXPECT_FALSE(platform.ended());
    EXPECT_EQ(calls("Load Form2").size(), 4u);
}

// A link's opener may run a message loop of its own (a modal error box), in which the box's OK
// unloads it and a new box is loaded; the old box's click is still running meanwhile.
TEST_F(UnloadInEvent, TheAboutBoxClosedAndOpenedAgainWhileItsLinkOpensLetsTheClickFinish) {
    platform.chooseMenuItem("Form1", "mAbout");
    platform.duringNextOpen([this] {
        platform.clickButton("Form2", "Command1");
        platform.chooseMenuItem("Form1", "mAbout");
    });
    platform.mouseDown("Form2", {"Homepage"}, vbLeftButton, 5, 5);
    platform.mouseUp("Form2", {"Homepage"}, vbLeftButton, 5, 5);

    EXPECT_EQ(platform.opened().size(), 1u);
    EXPECT_EQ(calls("Load Form2").size(), 2u);
    ASSERT_NE(form2(), nullptr);
    EXPECT_TRUE(form2()->visible()) << "the new box";
}

}  // namespace
}  // namespace zorvin::testing
