// Zorvin started on the headless window system, as the runtime starts it, for tests to play the
// user against.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/common/form_session.h"
#include "platform/headless/headless_platform.h"
#include "program/program.h"

namespace zorvin::testing {

using headless::HeadlessPicture;
using headless::HeadlessWindow;
using headless::Key;

class StartedProgram : public ::testing::Test {
  protected:
    // On a display at `dpi`.
    explicit StartedProgram(int dpi = kStandardDpi) : session(dpi) { program.Start(); }

    HeadlessWindow& form1() { return *platform.window("Form1"); }
    HeadlessWindow* form2() { return platform.window("Form2"); }
    PictureBox& eye(std::int16_t index) { return form1().picture({"Eye", index}); }
    const HeadlessPicture& shownEye(std::int16_t index) {
        return form1().shownPicture({"Eye", index});
    }
    const headless::HeadlessTimer& timer1() { return form1().nativeTimer({"Timer1"}); }
    std::int32_t timerInterval() { return form1().timer({"Timer1"}).Interval(); }
    bool alwaysOnTopChecked() { return form1().menuItem("mAlwaysOnTop").Checked(); }

    // Puts the cursor on the screen where Form1's client point (x, y) is.
    void cursorAtClient(std::int32_t x, std::int32_t y) {
        const Point origin = form1().clientOrigin();
        platform.setCursor({origin.x + x, origin.y + y});
    }

    void pressImage1(std::int16_t button, float x, float y) {
        platform.mouseDown("Form1", {"Image1"}, button, x, y);
    }
    void moveOnImage1(std::int16_t buttons, float x, float y) {
        platform.mouseMove("Form1", {"Image1"}, buttons, x, y);
    }
    void releaseOnImage1(std::int16_t button, float x, float y) {
        platform.mouseUp("Form1", {"Image1"}, button, x, y);
    }

    std::vector<std::string> calls(const std::string& call) const { return platform.calls(call); }

    FormSession<headless::HeadlessPlatform> session;
    headless::HeadlessPlatform& platform = session.system();
    Program program{session.forms()};
};

}  // namespace zorvin::testing
