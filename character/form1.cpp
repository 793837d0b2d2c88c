#include "character/form1.h"

#include "character/form1_layout.h"

namespace zorvin {

Form1::Form1(FormHost& program)
    : Form(program, kForm1Layout),
      mAlwaysOnTop(window_->menuItem(form1_names::mAlwaysOnTop)),
      Timer1(window_->timer({form1_names::Timer1})),
      Eye{&window_->picture({form1_names::Eye, 0}), &window_->picture({form1_names::Eye, 1})} {}

void Form1::MouseDown(ControlId control, const MouseArgs& args) {
    if (control == ControlId{form1_names::Image1}) {
        Image1_MouseDown(args.Button, args.Shift, args.X, args.Y);
    }
}

void Form1::MouseMove(ControlId control, const MouseArgs& args) {
    if (control == ControlId{form1_names::Image1}) {
        Image1_MouseMove(args.Button, args.Shift, args.X, args.Y);
    }
}

void Form1::MouseUp(ControlId control, const MouseArgs& args) {
    if (control == ControlId{form1_names::Image1}) {
        Image1_MouseUp(args.Button, args.Shift, args.X, args.Y);
    }
}

void Form1::Click(ControlId control) {
    if (control.name == form1_names::mAlwaysOnTop) {
        mAlwaysOnTop_Click();
    } else if (control.name == form1_names::mAbout) {
        mAbout_Click();
    } else if (control.name == form1_names::mExit) {
        mExit_Click();
    }
}

void Form1::Timer(ControlId control) {
    if (control == ControlId{form1_names::Timer1}) {
        Timer1_Timer();
    }
}

}  // namespace zorvin
