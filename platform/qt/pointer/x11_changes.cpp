#include "platform/qt/pointer/x11_changes.h"

#include <utility>

// Xlib's macros (None, Bool, Status ...) clash with Qt's names: its headers come last.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/Xrandr.h>

namespace zorvin::qt {
namespace {

// Raw events reach every client that asks for them during another client's grab only from XInput
// 2.1 on; the server goes by the version the client says it speaks. A touchscreen moves the
// pointer with raw touch events, not raw motion, and the server tells them from 2.2 on.
bool SelectRawMotion(Display* display) {
    int opcode = 0;
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) {
        return false;
    }
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 1)) {
        return false;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawMotion);
    if (major > 2 || minor >= 2) {
        XISetMask(bits, XI_RawTouchBegin);
        XISetMask(bits, XI_RawTouchUpdate);
        XISetMask(bits, XI_RawTouchEnd);
    }
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    return XISelectEvents(display, DefaultRootWindow(display), &mask, 1) == Success;
}

void SelectScreenChanges(Display* display) {
    int event = 0;
    int error = 0;
    if (XRRQueryExtension(display, &event, &error)) {
        XRRSelectInput(
            display, DefaultRootWindow(display),
            RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    }
}

}  // namespace

X11Changes::X11Changes(std::function<bool()> changed)
    : changed_(std::move(changed)), display_(XOpenDisplay(nullptr)) {
    if (!display_) {
        return;
    }
    if (!SelectRawMotion(display_)) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return;
    }
    SelectScreenChanges(display_);
    XFlush(display_);
    notifier_ =
        std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Read(); });
}

X11Changes::~X11Changes() {
    notifier_.reset();
    if (display_) {
        XCloseDisplay(display_);
    }
}

void X11Changes::Read() {
    if (Drain() && changed_()) {
        notifier_->setEnabled(false);
    }
}

void X11Changes::Collect() {
    if (!notifier_ || notifier_->isEnabled()) {
        return;
    }
    if (Drain() && changed_()) {
        return;  // still moving: the next tick collects again
    }
    notifier_->setEnabled(true);
}

// Every event on this connection is one of the changes asked for; what each says does not matter.
// Xlib may read several from the socket at once, so the queue is emptied each time.
bool X11Changes::Drain() {
    bool any = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        any = true;
    }
    return any;
}

}  // namespace zorvin::qt
