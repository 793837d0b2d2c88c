// Zorvin's window system on Qt 6 Widgets, for Linux desktops on X11 (XWayland under Wayland).
//
// What this backend implements, and how:
//  [x] Windows from a form's layout: a top-level QWidget of the client size, fixed, with the
//      caption, the icon, the background colour and the font; pictures, labels, push buttons and
//      timers as child widgets and QTimers (qt_window.cpp, qt_controls.cpp, native_widgets.cpp).
//  [x] First placement: the outer window centred on the primary screen, or on the screen that
//      holds most of the window already loaded.
//  [x] Left/Top: the outer top-left corner; for a window without a frame, the client area's. They
//      read back what the program last set, or where the window manager moved the window by
//      itself, never a move still on its way (see WindowEvents::Moved).
//  [x] Mouse events: every picture and label takes its own presses (Qt would pass an ignored one
//      to the widget below) and reports them to the shared core (platform/common), which gives the
//      moves and the release to the control that got the press. Buttons 1 left, 2 right, 4
//      middle; MouseMove reports the sum held. X and Y come from the pointer's global position.
//      The pop-up menu, or the window no longer being the active one, takes the pointer: the
//      releases of the buttons held are delivered then.
//  [x] The shape: a QRegion of the pixels whose centres the outline holds by its fill rule, as the
//      X server and Windows fill (platform/common/polygon_fill.h), as the window's mask, which X11
//      makes the window's shape; an outline inside the client area makes the window frameless,
//      shifted by the layout's client origin.
//  [x] Stay-on-top: a _NET_WM_STATE request to the window manager, sent as soon as the window is
//      mapped when asked for before (x11_stacking.cpp).
//  [x] The cursor: from the pointer source chosen at the start (pointer/desktop_pointer.cpp):
//      X11 anywhere on the virtual desktop, screens left of or above the primary one included;
//      under Wayland the compositor's help (KWin, GNOME Shell), coalesced to the shortest timer's
//      tick.
//      Client points: from the window's place as Left/Top give it.
//  [x] Timers: QTimers at the period the form window arms them with, whose ticks pass while
//      nothing a tick reads has changed (platform/common/gated_timer.h): the pointer's moves
//      anywhere (raw motion and raw touch) and screen changes from the X server
//      (pointer/x11_changes.cpp), the compositor's moves under Wayland, the windows' own moves,
//      and the warps no event tells of, which a thread's look once a second finds
//      (pointer/x11_look.cpp). Where the X server tells no moves (no XInput 2.1), every tick runs.
//  [x] Opening a document: QDesktopServices::openUrl, which hands "mailto:" addresses and URLs
//      to the desktop's opener (xdg-open on a desktop Qt does not know).
//  [x] PopupMenu: a QMenu of the items, with mnemonics, check marks and separators, at the pointer,
//      or at the window for Shift+F10 and the Menu key; modal, like the system's pop-up menus;
//      either button chooses.
//  [x] DoEvents: QCoreApplication::processEvents. End: every event loop left with status 0.
//  [x] Scale factors (the desktop's DPI, QT_SCALE_FACTOR): Qt's own scaling is off and everything
//      is in device pixels; each window tells the scale its layout asks for (own_scaling.h), the
//      face by a whole factor, the About box by the DPI itself, and sizes its widgets, fonts and
//      shape by it (the shape rectangle by rectangle, pictures drawn without smoothing). The form
//      window places the window and its pictures at that scale.
//  [ ] A shape given to a window already shown does not remove its frame.
//  [ ] A window keeps the scale of the desktop as it was when the window was made; a change of
//      Xft.dpi while it is shown does not scale it again.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/common/native_window.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/qt/own_scaling.h"
#include "platform/qt/pointer/desktop_pointer.h"
#include "platform/qt/pointer/x11_changes.h"
#include "platform/qt/pointer/x11_look.h"

namespace zorvin::qt {

class QtPlatform final : public WindowSystem {
  public:
    // `tickMs`: how often the program looks at the pointer while it moves.
    QtPlatform(DesktopEvents& desktop, const OwnScaling& scaling, int tickMs);
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // WindowSystem
    std::unique_ptr<NativeWindow> NewWindow(WindowEvents& events, const FormLayout& layout,
                                            const Rect& screen) override;
    std::vector<Rect> Screens() const override;
    void ProcessEvents() override;
    void Quit() override;
    Point CursorPosition() override;
    bool Open(std::string_view document) override;

    // How a window with `layout` scales on `screen` (one of Screens()).
    DpiScale ScaleOn(const Rect& screen, const FormLayout& layout) const;
    // The user's QT_SCALE_FACTOR, by which fonts grow besides Qt's logical DPI.
    double fontFactor() const { return scaling_.userFactor(); }

    // A timer is due to tick, or a timer's ticks stopped: the changes the window system told
    // since the last tick are taken in.
    void CollectChanges() { changes_.Collect(); }

  private:
    std::unique_ptr<X11Look> StartLook();

    DesktopEvents& desktop_;
    const OwnScaling& scaling_;
    X11Changes changes_;
    // While the X server tells of the moves it can: a look at the pointer for the others.
    std::unique_ptr<X11Look> look_;
    DesktopPointer pointer_;
};

}  // namespace zorvin::qt
