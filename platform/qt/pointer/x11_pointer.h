// The pointer as the X server knows it: everywhere in an X11 session, and under Wayland wherever
// XWayland last saw it, which is over an X11 window.
//
// Asked on a connection of its own that nothing else reads: a tick's read then wakes only the
// thread that asks, whereas on Qt's connection the answer also wakes Qt's reader thread.
#pragma once

#include "platform/qt/pointer/pointer_source.h"

struct _XDisplay;

namespace zorvin::qt {

class X11Pointer final : public PointerSource {
  public:
    X11Pointer();
    ~X11Pointer() override;

    std::optional<QPoint> Position() override;
    // Whether the last Position found the pointer over a window of X11's, rather than over the
    // root window alone (under Wayland: anywhere but over an X11 window).
    bool overWindow() const { return overWindow_; }

  private:
    _XDisplay* display_;
    bool overWindow_ = true;
};

}  // namespace zorvin::qt
