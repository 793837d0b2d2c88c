// What a backend writes: a window system's plain operations, on one native window and on the
// desktop. The form window (form_window.h) keeps all the state around them; the system calls the
// forms make are decoded into them once (form_platform.h).
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/api/types.h"
#include "platform/common/gated_timer.h"
#include "platform/common/polygon_fill.h"
#include "platform/common/screen_placement.h"
#include "platform/common/window_core.h"

namespace zorvin {

class FormWindow;

// An item of a pop-up menu as it is shown now; a caption "-" is a separator line.
struct PopupItem {
    std::string_view name;
    std::string_view caption;
    bool checked = false;
};

// A label as its native control shows it: its box may begin elsewhere than its layout's (a
// centred text wider than the box widens it).
class NativeLabel : public Label {
  public:
    virtual ClientPoint Origin() const = 0;
};

// One form's native window. It reports the window system's events to its form window, whose
// reference it gets when it is made; places are in the window system's own pixels.
class NativeWindow {
  public:
    virtual ~NativeWindow() = default;

    // The controls, made in layout order, bottom to top; the form window owns what is returned.
    virtual std::unique_ptr<PictureBox> AddPicture(const ControlLayout& control) = 0;
    virtual std::unique_ptr<NativeLabel> AddLabel(const ControlLayout& control) = 0;
    // A push button reports its clicks itself; the forms read and write none of its properties.
    virtual void AddButton(const ControlLayout& control) = 0;
    virtual std::unique_ptr<GatedTimer> AddTimer(const ControlLayout& control) = 0;

    // Modeless, without owner, brought to the front.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // The native window goes; nothing of it reports any more.
    virtual void Destroy() = 0;

    // Where the outer top-left corner at a place in the form's pixels lands, and back.
    virtual Point PlaceOf(OuterPosition position) const = 0;
    virtual OuterPosition FormPosition(Point place) const = 0;
    // Moves the outer window, in one step; the window system reports the move (FormWindow::Moved).
    virtual void MoveOuter(Point place) = 0;
    // The outer window on the screen.
    virtual Rect OuterRect() const = 0;
    // A screen point as the client point of the form's pixel under it.
    virtual Point ScreenToClient(Point screen) const = 0;

    // Only the polygon, in window coordinates for the layout's frame, stays visible and takes the
    // mouse.
    virtual void SetShape(std::span<const Point> outline, FillRule rule) = 0;
    virtual void SetStaysOnTop(bool on) = 0;
    // Shows the items at the client point, or at the pointer; returns the item chosen, if any,
    // once the menu has closed. The window may be unloaded meanwhile.
    virtual std::optional<std::string_view> PopupMenu(std::span<const PopupItem> items,
                                                      std::optional<ClientPoint> anchor) = 0;

    // The window system's own hold on the pointer, where the backend keeps one itself.
    virtual void GrabPointer() {}
    virtual void ReleasePointer() {}
};

// A backend: its native windows and what it does for the whole desktop.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // The form's native window, hidden, centred on `screen`, its controls made (FormWindow::
    // AddControls) and its place told (FormWindow::Moved).
    virtual std::unique_ptr<NativeWindow> NewWindow(FormWindow& form, const Rect& screen) = 0;
    // The screens in the window system's pixels, the primary one first.
    virtual std::vector<Rect> Screens() const = 0;
    // Runs the pending window-system events, then returns.
    virtual void ProcessEvents() = 0;
    // Leaves every event loop, for good.
    virtual void Quit() = 0;
    // The pointer's place in screen pixels.
    virtual Point CursorPosition() = 0;
    // Hands a document or an address to the desktop's handler: whether it took it.
    virtual bool Open(std::string_view document) = 0;
};

}  // namespace zorvin
