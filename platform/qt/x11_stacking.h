// Stay-on-top of a window that is already shown, asked of the window manager.
#pragma once

class QWidget;

namespace zorvin::qt {

// Adds or removes _NET_WM_STATE_ABOVE through the window manager. Unlike changing the widget's
// window flags, which destroys and re-creates the native window, this neither hides nor moves
// it. Does nothing off X11.
void SetStaysOnTop(QWidget& window, bool on);

}  // namespace zorvin::qt
