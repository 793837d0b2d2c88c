#include "running_program.h"

namespace zorvin::testing {
namespace {

using ::testing::ElementsAre;

using ContextMenu = RunningProgram;

TEST_F(ContextMenu, ARightPressOnTheFaceOpensThePopUpAndRunsTheChosenItem) {
    platform.choosePopupItem("mAlwaysOnTop");
    pressImage1(vbRightButton, 40, 40);
    EXPECT_THAT(calls("PopupMenu"), ElementsAre("PopupMenu Form1 mPopupMenu"));
    EXPECT_FALSE(alwaysOnTopChecked());
    EXPECT_EQ(timerInterval(), 100) << "a right press starts no drag";
}

TEST_F(ContextMenu, StayOnTopToggledTwiceReturnsCheckMarkAndStackingToTheStart) {
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_FALSE(alwaysOnTopChecked());
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_TRUE(alwaysOnTopChecked());
    EXPECT_THAT(calls("SetWindowPos"),
                ElementsAre("SetWindowPos Form1 -1 0 0 0 0 3", "SetWindowPos Form1 -2 0 0 0 0 3",
                            "SetWindowPos Form1 -1 0 0 0 0 3"));
}

TEST_F(ContextMenu, AboutBoxTakesItsStackingFromTheCheckMarkWhenItIsLoaded) {
    platform.chooseMenuItem("Form1", "mAbout");
    EXPECT_THAT(calls("SetWindowPos Form2"), ElementsAre("SetWindowPos Form2 -1 0 0 0 0 3"));
    EXPECT_TRUE(form2()->visible());

    // Switching stay-on-top off later, and asking for the box again, leave the open box alone.
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    platform.chooseMenuItem("Form1", "mAbout");
    EXPECT_THAT(calls("Load Form2"), ElementsAre("Load Form2"));
    EXPECT_THAT(calls("SetWindowPos Form2"), ElementsAre("SetWindowPos Form2 -1 0 0 0 0 3"));
    EXPECT_THAT(calls("Show Form2"), ElementsAre("Show Form2", "Show Form2"))
        << "shown again: brought to the front";
}

TEST_F(ContextMenu, AboutBoxLoadedWithStayOnTopOffIsNotTopmostEvenWhenItIsSwitchedOnAgain) {
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    platform.chooseMenuItem("Form1", "mAbout");
    platform.chooseMenuItem("Form1", "mAlwaysOnTop");
    EXPECT_THAT(calls("SetWindowPos Form2"), ElementsAre("SetWindowPos Form2 -2 0 0 0 0 3"));
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

TEST_F(ContextMenu, MenuHasItsItemsInOrderWithTheirCaptionsAndOnlyStayOnTopChecked) {
    std::vector<std::string> items;
    for (const MenuLayout& item : form1().layout().menu) {
        items.push_back(std::string(item.name) + " " + std::string(item.caption) + " " +
                        std::to_string(item.level) + (item.checked ? " checked" : "") +
                        (item.visible ? "" : " hidden"));
    }
    EXPECT_THAT(
        items, ElementsAre("mPopupMenu PopupMenu 0 hidden", "mAlwaysOnTop Always On &Top 1 checked",
                           "mAbout &About Zorvin 1", "mSeparate0 - 1", "mExit &Exit 1"));
}

}  // namespace
}  // namespace zorvin::testing
