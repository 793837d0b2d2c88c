#include "started_program.h"

namespace zorvin::testing {
namespace {

using ::testing::ElementsAre;

using ContextMenu = StartedProgram;

TEST_F(ContextMenu, ARightPressOnTheFaceOpensThePopUpAndRunsTheChosenItem) {
    platform.choosePopupItem("mAlwaysOnTop");
    pressImage1(vbRightButton, 40, 40);
    EXPECT_THAT(calls("PopupMenu"), ElementsAre("PopupMenu Form1: [Always On &Top checked] "
                                                "[&About Zorvin] [-] [&Exit]"));
    EXPECT_FALSE(alwaysOnTopChecked());
    EXPECT_EQ(timerInterval(), 100) << "a right press starts no drag";
}

TEST_F(ContextMenu, StayOnTopToggledTwiceReturnsCheckMarkAndStackingToTheStart) {
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_FALSE(alwaysOnTopChecked());
    EXPECT_FALSE(form1().topmost());
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_TRUE(alwaysOnTopChecked());
    EXPECT_TRUE(form1().topmost());
}

TEST_F(ContextMenu, AboutBoxTakesItsStackingFromTheCheckMarkWhenItIsLoaded) {
    platform.chooseMenuItem("Form1", "mAbout");
    EXPECT_TRUE(form2()->topmost());
    EXPECT_TRUE(form2()->visible());

    // Switching stay-on-top off later, and asking for the box again, leave the open box alone.
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    platform.chooseMenuItem("Form1", "mAbout");
    EXPECT_THAT(calls("Load Form2"), ElementsAre("Load Form2"));
    EXPECT_TRUE(form2()->topmost());
    EXPECT_THAT(calls("Show Form2"), ElementsAre("Show Form2", "Show Form2"))
        << "shown again: brought to the front";
}

TEST_F(ContextMenu, AboutBoxLoadedWithStayOnTopOffIsNotTopmostEvenWhenItIsSwitchedOnAgain) {
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    platform.chooseMenuItem("Form1", "mAbout");
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_FALSE(form2()->topmost());
}

TEST_F(ContextMenu, ExitWithTheAboutBoxOpenClosesBothWindowsAndEndsAtOnce) {
    platform.chooseMenuItem("Form1", "mAbout");
    platform.choosePopupItem("mExit");
    pressImage1(vbRightButton, 40, 40);

    EXPECT_TRUE(platform.ended());
    EXPECT_FALSE(form1().visible());
    EXPECT_FALSE(form2()->visible());
    EXPECT_EQ(platform.log().back(), "End");

    // No event procedure runs after the end.
    cursorAtClient(300, 300);
    platform.tick();
    pressImage1(vbLeftButton, 40, 10);
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_EQ(platform.log().back(), "End");
    EXPECT_TRUE(alwaysOnTopChecked());
}

TEST_F(ContextMenu, TheProgramEndsWhenItsLastWindowIsClosed) {
    platform.chooseMenuItem("Form1", "mAbout");
    platform.closeFromCaption("Form1");
    EXPECT_FALSE(platform.ended()) << "the About box is still open";
    EXPECT_EQ(platform.window("Form1"), nullptr);

    platform.pressKey("Form2", Key::Enter);
    EXPECT_TRUE(platform.ended());
}

TEST_F(ContextMenu, ThePopUpShowsTheCheckMarkAsItIsWhenItOpens) {
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    pressImage1(vbRightButton, 40, 40);
    EXPECT_THAT(calls("PopupMenu"),
                ElementsAre("PopupMenu Form1: [Always On &Top] [&About Zorvin] [-] [&Exit]"));
}

TEST_F(ContextMenu, ShiftF10OpensThePopUpAtTheFaceAndRunsTheChosenItem) {
    cursorAtClient(900, 700);
    platform.choosePopupItem("mAbout");
    platform.pressContextMenuKey("Form1");
    EXPECT_THAT(calls("PopupMenu"),
                ElementsAre(::testing::StartsWith("PopupMenu Form1 at 44 33: [Always On &Top")));
    ASSERT_NE(form2(), nullptr);
    EXPECT_EQ(timerInterval(), 100) << "the key starts no drag";

    // The About box has no menu: the key opens nothing there, and certainly no link.
    platform.pressContextMenuKey("Form2");
    EXPECT_EQ(calls("PopupMenu").size(), 1u);
    EXPECT_TRUE(calls("ShellExecuteA").empty());
}

}  // namespace
}  // namespace zorvin::testing
