// Dragging: the face is its own handle. The interval of Timer1 is the drag state: 100 while idle,
// 0 while a drag is in progress, which also freezes the pupils.
#include "character/form1.h"
#include "character/form1_layout.h"

namespace zorvin {
namespace {

constexpr std::int32_t kTrackingInterval = 100;

}  // namespace

void Form1::Image1_MouseDown(std::int16_t Button, std::int16_t /*Shift*/, float X, float Y) {
    if (Button == vbLeftButton) {
        // A second press during a drag (its release was lost) keeps the first grab point.
        if (Timer1.Interval() > 0) {
            DragX = X;
            DragY = Y;
            Timer1.setInterval(0);
        }
    } else if (Button == vbRightButton) {
        program_.platform().PopupMenu(*window_, form1_names::mPopupMenu);
    }
}

// The window moves by the pointer's offset from the grab point, so the pressed point of the face
// stays under the pointer.
void Form1::Image1_MouseMove(std::int16_t Button, std::int16_t /*Shift*/, float X, float Y) {
    if (Button != vbLeftButton || Timer1.Interval() != 0) {
        return;
    }
    window_->setLeft(window_->Left() + (X - DragX));
    window_->setTop(window_->Top() + (Y - DragY));
    // Repaint at the new place while the button is still held. Further moves may be handled in
    // here; the window's position is already set for them.
    program_.platform().DoEvents();
}

void Form1::Image1_MouseUp(std::int16_t Button, std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == vbLeftButton && Timer1.Interval() == 0) {
        Timer1.setInterval(kTrackingInterval);
    }
}

}  // namespace zorvin
