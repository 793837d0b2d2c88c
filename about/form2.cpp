#include "about/form2.h"

#include <string>
#include <string_view>

#include "about/form2_layout.h"
#include "form/stacking.h"
#include "platform/api/system_values.h"

namespace zorvin {
namespace {

constexpr std::string_view kMailtoPrefix = "mailto:";

}  // namespace

Form2::Form2(FormHost& program)
    : Form(program, kForm2Layout),
      Email(window_->label({form2_names::Email})),
      Homepage(window_->label({form2_names::Homepage})) {}

// The box follows stay-on-top as it is when the box is loaded; later changes do not reach it.
void Form2::Form_Load() {
    SetTopmost(program_.platform(), window_->hWnd(), program_.staysOnTop());
}

void Form2::Command1_Click() {
    program_.Unload(*this);
}

// Links react to every button alike.
void Form2::Email_MouseDown(std::int16_t, std::int16_t, float, float) {
    Email.setForeColor(kLinkPurple);
}

void Form2::Email_MouseUp(std::int16_t, std::int16_t, float, float) {
    FollowLink(Email, kMailtoPrefix);
}

void Form2::Homepage_MouseDown(std::int16_t, std::int16_t, float, float) {
    Homepage.setForeColor(kLinkPurple);
}

void Form2::Homepage_MouseUp(std::int16_t, std::int16_t, float, float) {
    FollowLink(Homepage, "");
}

// The label's own text, read at the moment of the click, is the only place its address is kept.
// Whether the system could open it is not looked at.
void Form2::FollowLink(Label& link, std::string_view prefix) {
    link.setForeColor(kLinkNavy);
    const Hwnd hwnd = window_->hWnd();
    const std::string target = std::string(prefix) + link.Caption();
    program_.platform().ShellExecuteA(hwnd, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

void Form2::MouseDown(ControlId control, const MouseArgs& args) {
    if (control == ControlId{form2_names::Email}) {
        Email_MouseDown(args.Button, args.Shift, args.X, args.Y);
    } else if (control == ControlId{form2_names::Homepage}) {
        Homepage_MouseDown(args.Button, args.Shift, args.X, args.Y);
    }
}

void Form2::MouseUp(ControlId control, const MouseArgs& args) {
    if (control == ControlId{form2_names::Email}) {
        Email_MouseUp(args.Button, args.Shift, args.X, args.Y);
    } else if (control == ControlId{form2_names::Homepage}) {
        Homepage_MouseUp(args.Button, args.Shift, args.X, args.Y);
    }
}

void Form2::Click(ControlId control) {
    if (control == ControlId{form2_names::Command1}) {
        Command1_Click();
    }
}

}  // namespace zorvin
