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
//      itself, never a move still on its way (see QtWindow::Moved).
//  [x] Mouse events: every picture and label takes its own presses (Qt would pass an ignored one
//      to the widget below) and reports them to the shared core (platform/common), which gives the
//      moves and the release to the control that got the press. Buttons 1 left, 2 right, 4
//      middle; MouseMove reports the sum held. X and Y come from the pointer's global position.
//      The pop-up menu, or the window no longer being the active one, takes the pointer: the
//      releases of the buttons held are delivered then.
//  [x] CreatePolygonRgn: a QRegion of the pixels whose centres the polygon holds by its fill
//      rule, as the X server and Windows fill (polygon_region.cpp). SetWindowRgn: QWidget::setMask,
//      which X11 makes the window's shape; a region inside the client area makes the window
//      frameless, shifted by the layout's client origin.
//  [x] SetWindowPos with HWND_TOPMOST / HWND_NOTOPMOST: a _NET_WM_STATE request to the window
//      manager, sent as soon as the window is mapped when asked for before (x11_stacking.cpp).
//      Other stacking, moves and sizes through SetWindowPos are not carried out: the forms ask for
//      none.
//  [x] GetCursorPos: from the pointer source chosen at the first call (desktop_pointer.cpp): X11
//      anywhere on the virtual desktop, screens left of or above the primary one included; under
//      Wayland the compositor's help (KWin, GNOME Shell), coalesced to the shortest timer's tick.
//      ScreenToClient: from the window's place as Left/Top give it.
//  [x] Timers: QTimers at the interval the form set, whose ticks pass while nothing a tick reads
//      has changed (platform/common/gated_timer.h): the pointer's moves anywhere and screen
//      changes from the X server (x11_changes.cpp), the compositor's moves under Wayland, the
//      windows' own moves. Where the X server tells no moves (no XInput 2.1), every tick runs.
//  [x] ShellExecuteA "open": QDesktopServices::openUrl, which hands "mailto:" addresses and URLs
//      to the desktop's opener (xdg-open on a desktop Qt does not know).
//  [x] PopupMenu: a QMenu of the visible items under the named top-level menu, with mnemonics,
//      check marks and separators, at the pointer, or at the window for Shift+F10 and the Menu key;
//      modal, like the system's pop-up menus; either button chooses.
//  [x] DoEvents: QCoreApplication::processEvents. End: every window hidden at once, no event
//      delivered from then on, every event loop left with status 0.
//  [x] Scale factors (QT_SCALE_FACTOR, HiDPI screens): everything is in device-independent pixels;
//      Qt scales the shape with the pictures, which are drawn without smoothing.
//  [ ] A shape given to a window already shown does not remove its frame.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include <QRegion>

#include "platform/common/screen_placement.h"
#include "platform/platform.h"
#include "platform/qt/desktop_pointer.h"
#include "platform/qt/x11_changes.h"

namespace zorvin::qt {

class QtWindow;

class QtPlatform final : public Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // FormRuntime
    std::unique_ptr<Window> createWindow(const FormLayout& layout, FormEvents& events) override;
    void Show(Window& window) override;
    void DoEvents() override;
    void PopupMenu(Window& window, std::string_view menu) override;
    void End() override;

    // SystemApi
    Hrgn CreatePolygonRgn(const Point* points, std::int32_t count, std::int32_t fillMode) override;
    std::int32_t SetWindowRgn(Hwnd hwnd, Hrgn region, bool redraw) override;
    bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                      std::int32_t cy, std::uint32_t flags) override;
    bool GetCursorPos(Point& point) override;
    bool ScreenToClient(Hwnd hwnd, Point& point) override;
    std::intptr_t ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                std::int32_t showCmd) override;

    // Whether End has been called: from then on no event reaches a form.
    const bool& ended() const { return ended_; }
    // The screen a new window is centred on: the one that holds most of the program's window
    // already loaded, if any, else the primary screen.
    Rect ScreenForNewWindow(const QtWindow& window) const;
    // A window being destroyed.
    void Forget(QtWindow& window);
    // Whether the window system tells of every change a tick reads, so that ticks may pass while
    // nothing changes.
    bool watchingChanges() const { return changes_.watching(); }
    // Something a tick reads may have changed: the pointer, a window's place, the screens.
    void Changed();
    // A timer is due to tick: the changes the window system told since are taken in first.
    void CollectChanges() { changes_.Collect(); }

  private:
    QtWindow* Find(Hwnd hwnd);

    std::map<Hwnd, QtWindow*> windows_;
    Hwnd nextHandle_ = 0x10010;
    // Regions made and not yet given to a window.
    std::map<Hrgn, QRegion> regions_;
    Hrgn nextRegion_ = 1;
    bool ended_ = false;
    // The shortest interval of the windows' timers, which is how often anything looks at the
    // pointer; the pointer source is chosen when something first does.
    std::int32_t tickMs_ = 0;
    std::unique_ptr<DesktopPointer> pointer_;
    X11Changes changes_;
};

}  // namespace zorvin::qt
