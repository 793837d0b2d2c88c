#include "platform/qt/pointer/x11_pointer.h"

#include <QCursor>

// Xlib's macros (None, Bool, Status ...) clash with Qt's names: its headers come last.
#include <X11/Xlib.h>

namespace zorvin::qt {

X11Pointer::X11Pointer() : display_(XOpenDisplay(nullptr)) {}

X11Pointer::~X11Pointer() {
    if (display_) {
        XCloseDisplay(display_);
    }
}

// Anywhere on the virtual desktop, screens left of or above the primary one included. Qt scales
// nothing on X11 here, so the root window's pixels are the ones the windows live in.
std::optional<QPoint> X11Pointer::Position() {
    if (!display_) {
        return QCursor::pos();
    }
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &windowX, &windowY,
                  &buttons);
    overWindow_ = child != 0;
    return QPoint(x, y);
}

}  // namespace zorvin::qt
