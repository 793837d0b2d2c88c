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

  private:
    _XDisplay* display_;
};

}  // namespace zorvin::qt
