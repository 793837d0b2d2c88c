// The pointer from Hyprland's control socket, for Hyprland releases that offer no cursor
// sessions. Hyprland tells the pointer only when asked, so while the pointer is away from the X11
// windows (where XWayland cannot see it) it is asked at every tick, whether or not it moves: the
// face cannot sleep there. Each question is a connection of its own (connect, write, read, close:
// a connection left open stalls Hyprland), and none is waited for.
#pragma once

#include <memory>

#include "platform/qt/pointer/pointer_source.h"

namespace zorvin::qt {

class HyprlandPointer : public PointerSource {
  public:
    // The session's Hyprland, asked at most once per `tickMs`; nothing outside Hyprland.
    static std::unique_ptr<HyprlandPointer> OfSession(int tickMs);

    // Whether the pointer is away from X11's windows: Hyprland is asked only while it is.
    virtual void Follow(bool away) = 0;
};

}  // namespace zorvin::qt
