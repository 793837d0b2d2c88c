// The pointer for GetCursorPos, from the source chosen once for this session: X11 in an X11
// session; under Wayland the compositor's help where there is any (KWin's script, GNOME Shell's
// extension, the cursor sessions of the compositors that offer them, Hyprland's socket), and X11
// through XWayland whenever the compositor cannot tell. Without the compositor's help it says why,
// once, on stderr.
#pragma once

#include <functional>
#include <memory>

#include <QPoint>

#include "platform/qt/pointer/hyprland_pointer.h"
#include "platform/qt/pointer/x11_pointer.h"

namespace zorvin::qt {

class DesktopPointer {
  public:
    // `tickMs`: how often the program looks at the pointer. `moved`: a compositor told of a move
    // (X11's own are told by X11Changes). `sawOnX11`: where a read from the X server found it.
    DesktopPointer(int tickMs, const std::function<void()>& moved,
                   std::function<void(QPoint)> sawOnX11);

    QPoint Position();

  private:
    void ChooseCompositorSource(int tickMs, const std::function<void()>& moved);

    X11Pointer x11_;
    std::function<void(QPoint)> sawOnX11_;
    // A source that the compositor pushes the pointer to, asked first.
    std::unique_ptr<PointerSource> compositor_;
    // Asked only while X11 sees the pointer nowhere over its windows.
    std::unique_ptr<HyprlandPointer> hyprland_;
};

}  // namespace zorvin::qt
