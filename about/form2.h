// The About box: names the program and its author, and opens the author's e-mail address and home
// page from two link labels.
#pragma once

#include <cstdint>
#include <string_view>

#include "form/form.h"
#include "platform/api/form_runtime.h"

namespace zorvin {

class Form2 final : public Form {
  public:
    // Builds the window, hidden; the program then runs Form_Load.
    explicit Form2(FormHost& program);

    Label& Email;
    Label& Homepage;

    void Form_Load();
    void Command1_Click();
    void Email_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Email_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Homepage_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Homepage_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);

    void MouseDown(ControlId control, const MouseArgs& args) override;
    void MouseUp(ControlId control, const MouseArgs& args) override;
    void Click(ControlId control) override;

  private:
    void FollowLink(Label& link, std::string_view prefix);
};

}  // namespace zorvin
