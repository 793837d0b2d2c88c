#include <cstdlib>

#include "about/author.h"
#include "started_program.h"

namespace zorvin::testing {
namespace {

using ::testing::ElementsAre;

constexpr Colour kNavy = 0x800000;
constexpr Colour kPurple = 0x800080;

class AboutBox : public StartedProgram {
  protected:
    AboutBox() { platform.chooseMenuItem("Form1", "mAbout"); }

    Label& link(const char* name) { return form2()->label({name}); }
};

TEST_F(AboutBox, EmailLinkOpensExactlyMailtoAndTheLabelText) {
    platform.mouseDown("Form2", {"Email"}, vbLeftButton, 5, 5);
    EXPECT_EQ(link("Email").ForeColor(), kPurple);
    platform.mouseUp("Form2", {"Email"}, vbLeftButton, 5, 5);
    EXPECT_EQ(link("Email").ForeColor(), kNavy);
    EXPECT_THAT(platform.opened(), ElementsAre("mailto:" ZORVIN_AUTHOR_EMAIL));
}

TEST_F(AboutBox, HomepageLinkOpensTheLabelTextAsItStands) {
    platform.mouseDown("Form2", {"Homepage"}, vbLeftButton, 5, 5);
    EXPECT_EQ(link("Homepage").ForeColor(), kPurple);
    platform.mouseUp("Form2", {"Homepage"}, vbLeftButton, 5, 5);
    EXPECT_EQ(link("Homepage").ForeColor(), kNavy);
    EXPECT_THAT(platform.opened(), ElementsAre(ZORVIN_HOMEPAGE));
}

TEST_F(AboutBox, TheTargetIsReadFromTheLabelAtTheMomentOfTheClick) {
    link("Email").setCaption("someone.else@example.org");
    platform.mouseDown("Form2", {"Email"}, vbLeftButton, 5, 5);
    platform.mouseUp("Form2", {"Email"}, vbLeftButton, 5, 5);
    EXPECT_THAT(platform.opened(), ElementsAre("mailto:someone.else@example.org"));
}

TEST_F(AboutBox, ARightClickOnALinkColoursAndOpensItLikeALeftClick) {
    platform.mouseDown("Form2", {"Homepage"}, vbRightButton, 5, 5);
    EXPECT_EQ(link("Homepage").ForeColor(), kPurple);
    platform.mouseUp("Form2", {"Homepage"}, vbRightButton, 5, 5);
    EXPECT_EQ(link("Homepage").ForeColor(), kNavy);
    EXPECT_EQ(platform.opened().size(), 1u);
}

TEST_F(AboutBox, ALinkPressedAndReleasedOutsideItStillOpens) {
    platform.mouseDown("Form2", {"Email"}, vbLeftButton, 5, 5);
    platform.mouseUp("Form2", {"Label1"}, vbLeftButton, -40, 300);
    EXPECT_EQ(platform.opened().size(), 1u);
    EXPECT_EQ(link("Email").ForeColor(), kNavy);
}

TEST_F(AboutBox, OkEnterEscapeAndTheCaptionCloseEachUnloadItAndTheMenuLoadsItAgain) {
    const auto closers = {
        +[](headless::HeadlessPlatform& p) { p.clickButton("Form2", "Command1"); },
        +[](headless::HeadlessPlatform& p) { p.pressKey("Form2", Key::Enter); },
        +[](headless::HeadlessPlatform& p) { p.pressKey("Form2", Key::Escape); },
        +[](headless::HeadlessPlatform& p) { p.closeFromCaption("Form2"); },
    };
    std::size_t loads = 1;
    for (auto close : closers) {
        close(platform);
        EXPECT_EQ(form2(), nullptr);
        EXPECT_EQ(platform.log().back(), "Unload Form2");
        EXPECT_FALSE(platform.ended()) << "the character is still loaded";

        platform.chooseMenuItem("Form1", "mAlwaysOnTop");
        platform.chooseMenuItem("Form1", "mAbout");
        ++loads;
        ASSERT_NE(form2(), nullptr);
        EXPECT_EQ(calls("Load Form2").size(), loads);
        EXPECT_EQ(form2()->topmost(), alwaysOnTopChecked()) << "loading runs Form_Load again";
    }
}

TEST_F(AboutBox, LabelsAreCentredOnTheWindowAndLinksLookLikeLinks) {
    const FormLayout& layout = form2()->layout();
    EXPECT_EQ(layout.caption, "About Zorvin");
    for (const ControlLayout& control : layout.controls) {
        if (control.kind != ControlKind::Label) {
            continue;
        }
        EXPECT_LE(std::abs(2 * control.left + control.width - layout.client.width), 4)
            << control.name;
        if (control.name == "Email" || control.name == "Homepage") {
            EXPECT_EQ(control.foreColor, kNavy);
            EXPECT_EQ(control.pointer, MousePointer::Hand);
            ASSERT_NE(control.font, nullptr);
            EXPECT_TRUE(control.font->underline);
            EXPECT_EQ(control.font->charset, 222);
        }
    }
}

}  // namespace
}  // namespace zorvin::testing
