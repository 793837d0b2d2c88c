// Windows built from layouts other than the program's own: hidden menu items, menus that do not
// exist, controls stacked on one another.
#include <array>

#include "platform/common/layout_walk.h"
#include "started_program.h"

namespace zorvin::testing {
namespace {

constexpr std::array kMenu{
    MenuLayout{.name = "mFile", .caption = "&File", .level = 0},
    MenuLayout{.name = "mOpen", .caption = "&Open"},
    MenuLayout{.name = "mSecret", .caption = "&Secret", .visible = false},
    MenuLayout{.name = "mQuit", .caption = "&Quit"},
    MenuLayout{.name = "mHelp", .caption = "&Help", .level = 0, .visible = false},
    MenuLayout{.name = "mAbout", .caption = "&About"},
};

constexpr std::array kControls{
    ControlLayout{.kind = ControlKind::Picture, .name = "Back", .width = 50, .height = 50},
    ControlLayout{.kind = ControlKind::Label,
                  .name = "Front",
                  .left = 10,
                  .top = 10,
                  .width = 5,
                  .height = 5},
    ControlLayout{.kind = ControlKind::Timer, .name = "Clock", .interval = 10},
};

const FormLayout kLayout{
    .name = "Other", .caption = "Other", .client = {50, 50}, .controls = kControls, .menu = kMenu};

class Recorder final : public FormEvents {
  public:
    void MouseDown(ControlId control, const MouseArgs& args) override {
        seen.push_back("down " + std::string(control.name) + " " + std::to_string(args.X) + " " +
                       std::to_string(args.Y));
    }
    void MouseUp(ControlId control, const MouseArgs&) override {
        seen.push_back("up " + std::string(control.name));
    }
    void Click(ControlId control) override { seen.push_back("click " + std::string(control.name)); }
    void CaptionClose() override {}

    std::vector<std::string> seen;
};

class OtherLayout : public ::testing::Test {
  protected:
    FormSession<headless::HeadlessPlatform> session;
    headless::HeadlessPlatform& platform = session.system();
    Platform& forms = session.forms();
    Recorder events;
    std::unique_ptr<Window> window = forms.Load(kLayout, events);
};

TEST_F(OtherLayout, APopUpShowsOnlyTheVisibleItemsOfItsOwnMenu) {
    platform.choosePopupItem("mQuit");
    forms.PopupMenu(*window, "mFile");
    forms.PopupMenu(*window, "mHelp");  // a hidden top level still pops up
    EXPECT_EQ(platform.calls("PopupMenu"),
              (std::vector<std::string>{"PopupMenu Other: [&Open] [&Quit]",
                                        "PopupMenu Other: [&About]"}));
    EXPECT_EQ(events.seen, (std::vector<std::string>{"click mQuit"}));
    EXPECT_THROW(forms.PopupMenu(*window, "mOpen"), std::out_of_range);
}

TEST_F(OtherLayout, TheKeyboardMenuGoesToTheControlOnTopAtTheMiddle) {
    // The middle (25, 25) lies on Back only; move Front there and it is on top.
    platform.pressContextMenuKey("Other");
    EXPECT_EQ(events.seen, (std::vector<std::string>{"down Back 25.000000 25.000000", "up Back"}));
}

TEST_F(OtherLayout, EveryControlIsBuiltAndAnUnloadedWindowDeliversNothing) {
    EXPECT_FLOAT_EQ(platform.window("Other")->picture({"Back"}).Width(), 50);
    EXPECT_EQ(platform.window("Other")->label({"Front"}).Caption(), "");
    EXPECT_EQ(platform.window("Other")->timer({"Clock"}).Interval(), 10);
    EXPECT_THROW(platform.window("Other")->label({"Back"}), std::out_of_range);

    window->Unload();
    platform.clickButton("Other", "Front");
    platform.tick();
    EXPECT_TRUE(events.seen.empty());
    EXPECT_EQ(platform.window("Other"), nullptr);
}

TEST(LayoutWalk, DialogKeysFindTheDefaultAndCancelButtons) {
    constexpr std::array buttons{
        ControlLayout{.kind = ControlKind::CommandButton, .name = "Ok", .isDefault = true},
        ControlLayout{.kind = ControlKind::CommandButton, .name = "No", .isCancel = true},
    };
    const FormLayout layout{.name = "Dialog", .controls = buttons};
    EXPECT_EQ(ButtonForKey(layout, DialogKey::Enter), (ControlId{"Ok"}));
    EXPECT_EQ(ButtonForKey(layout, DialogKey::Escape), (ControlId{"No"}));
    EXPECT_EQ(ButtonForKey(kLayout, DialogKey::Enter), std::nullopt);
}

}  // namespace
}  // namespace zorvin::testing
