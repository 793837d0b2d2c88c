// The context menu's commands: stay-on-top, the About box, and Exit.
#include "character/form1.h"
#include "form/stacking.h"

namespace zorvin {

// Only this window changes; an open About box keeps the stacking it was loaded with.
void Form1::mAlwaysOnTop_Click() {
    mAlwaysOnTop.setChecked(!mAlwaysOnTop.Checked());
    SetTopmost(program_.platform(), window_->hWnd(), mAlwaysOnTop.Checked());
}

// Modeless and without owner: the character keeps running while the box is open.
void Form1::mAbout_Click() {
    program_.ShowAbout();
}

void Form1::mExit_Click() {
    program_.End();
}

}  // namespace zorvin
