// The pointer as the X server knows it: everywhere in an X11 session, and under Wayland wherever
// XWayland last saw it, which is over an X11 window.
#pragma once

#include "platform/qt/pointer/pointer_source.h"

namespace zorvin::qt {

class X11Pointer final : public PointerSource {
  public:
    std::optional<QPoint> Position() override;
};

}  // namespace zorvin::qt
