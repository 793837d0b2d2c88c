// What a backend writes, and all it needs to read to write one: a window system's plain
// operations on one native window (NativeWindow) and on the desktop (WindowSystem), the one way
// each reports what the window system tells it (WindowEvents, DesktopEvents), and the values they
// speak in. The form window (form_window.h) keeps all the state around them and decides every rule;
// the system calls the forms make are decoded into these operations once (form_platform.h).
//
// A place is in the window system's own pixels; a position, a client point and a shape are in the
// form's pixels. A native window tells its scale (Scale); the form window turns the places of the
// window and of its pictures into device pixels and back by it, and the backend scales what it
// draws (sizes, fonts, the shape's runs, the mouse's client points) by the same scale.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/api/types.h"
#include "platform/dpi_scale/dpi_scale.h"

namespace zorvin {

// Who finds the changes that no event tells of (another program warps the pointer) while the
// timers sleep (gated_timer.h): the timers, by a tick once a look period, or the backend itself,
// which looks at the pointer more cheaply than a tick can and reports what it finds as a change
// like any other.
enum class UntoldChanges { TimersLook, BackendLooks };
// How often they look: an asleep timer, unless its interval is longer, or the backend.
inline constexpr std::chrono::milliseconds kLookPeriod{1000};

// A point in a window's client area, in the form's pixels, which may be fractional.
struct ClientPoint {
    float x = 0;
    float y = 0;
};

// The outer window's top-left corner on the screen, in the form's pixels.
struct OuterPosition {
    float left = 0;
    float top = 0;
};

// How an outline fills: the polygon fill rules of the window systems.
enum class FillRule { EvenOdd, Winding };

// An item of a pop-up menu as it is shown now; a caption "-" is a separator line.
struct PopupItem {
    std::string_view name;
    std::string_view caption;
    bool checked = false;
};

// What a native window reports, as the window system tells it, and the little it asks of the
// form's state while it handles an event. Every rule (which control gets the mouse, a lost
// release, whose move a move is) is decided behind it. The form may unload the window, or end
// the program, inside any report; the native window then hears of it through Destroy or live().
class WindowEvents {
  public:
    // The mouse at a client point, on `hit`, the picture or label under the pointer (ControlAt),
    // if any. `button` is the one pressed or released, `buttons` the sum of those held, `shift`
    // the sum of the shift keys held (input_values.h).
    virtual void Press(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                       ClientPoint at) = 0;
    virtual void Move(std::optional<ControlId> hit, std::int16_t buttons, std::int16_t shift,
                      ClientPoint at) = 0;
    virtual void Release(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                         ClientPoint at) = 0;
    // Another window or program took the pointer, perhaps with buttons held on this window.
    virtual void LoseGrab() = 0;
    // Shift+F10 or the Menu key.
    virtual void KeyboardContextMenu() = 0;
    // A push button or a menu item was clicked (a pop-up menu's choice is PopupMenu's answer).
    virtual void Click(ControlId control) = 0;
    // The caption bar's close button, the taskbar or the window manager asks the window to close.
    virtual void CaptionClose() = 0;
    // The outer window is at a new place: one the program asked for (MoveOuter), perhaps late, or
    // one the window system chose by itself.
    virtual void Moved(Point place) = 0;
    // A timer's native timer fired.
    virtual void TimerFired(ControlId timer) = 0;
    // The native window's scale changed (Scale): the form window places its pictures again.
    virtual void Rescaled() = 0;
    // The native window is gone, destroyed by Destroy or by the window system itself: the form's
    // window is unloaded, if it was not already.
    virtual void Destroyed() = 0;

    // The topmost picture or label on a client point.
    virtual std::optional<ControlId> ControlAt(ClientPoint at) const = 0;
    // Whether the form still hears of events: not once its window is unloaded or the program ended.
    virtual bool live() const = 0;
    // Where the program has the outer window, in the window system's pixels: where it last put
    // it, or where the window system last moved it by itself. A move on its way may not have got
    // there yet.
    virtual Point place() const = 0;

  protected:
    ~WindowEvents() = default;
};

// What a backend reports for the whole desktop, and the little it asks of the program's state.
class DesktopEvents {
  public:
    // Something a tick reads may have changed: the pointer, a window's place, the screens.
    virtual void NoteChange() = 0;
    // The backend's own look found the pointer moved, which no event told of.
    virtual void NoteUntoldChange() = 0;
    // The backend tells of every change a tick reads from now on (all but those no event tells
    // of, which `untold` says who finds), so that ticks may pass while nothing changes.
    virtual void WatchChanges(UntoldChanges untold) = 0;
    // Whether any window's timer runs.
    virtual bool ticking() const = 0;
    // Whether the program has ended: no event reaches a form any more.
    virtual bool ended() const = 0;

  protected:
    ~DesktopEvents() = default;
};

// A picture as the window system shows it. The form window keeps its fractional place and decides
// the pixel it falls on.
class NativePicture {
  public:
    virtual ~NativePicture() = default;
    // Shows the picture with its top-left corner at this device pixel of the client area.
    virtual void MoveTo(Point device) = 0;
};

// A native timer. The form window decides when it fires (gated_timer.h); it only fires.
class NativeTimer {
  public:
    virtual ~NativeTimer() = default;
    // Reports TimerFired every `period` from now on (0: as soon as it can), in place of any period
    // before.
    virtual void Arm(std::chrono::milliseconds period) = 0;
    virtual void Disarm() = 0;
    // A steady clock: the system's own, unless the backend keeps one.
    virtual std::chrono::milliseconds Now() const;
};

// A label as its native control shows it: its box may begin elsewhere than its layout's (a
// centred text wider than the box widens it).
class NativeLabel : public Label {
  public:
    virtual ClientPoint Origin() const = 0;
};

// One form's native window. It reports the window system's events to the WindowEvents it gets
// when it is made, from the moment its controls are made on.
class NativeWindow {
  public:
    virtual ~NativeWindow() = default;

    // The controls, made in layout order, bottom to top, after the window and before it is
    // placed; the form window owns what is returned.
    virtual std::unique_ptr<NativePicture> AddPicture(const ControlLayout& control) = 0;
    virtual std::unique_ptr<NativeLabel> AddLabel(const ControlLayout& control) = 0;
    // A push button reports its clicks itself; the forms read and write none of its properties.
    virtual void AddButton(const ControlLayout& control) = 0;
    virtual std::unique_ptr<NativeTimer> AddTimer(const ControlLayout& control) = 0;
    // Once its controls are made: takes the scale of its screen (Scale), sizes the window for its
    // controls and centres it on that screen, still hidden. Returns where the outer top-left
    // corner is then.
    virtual Point Place() = 0;

    // Modeless, without owner, brought to the front.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // The native window goes; nothing of it reports any more.
    virtual void Destroy() = 0;

    // How many device pixels a form pixel spans now.
    virtual DpiScale Scale() const = 0;
    // Moves the outer window, in one step; the window system reports the move (Moved).
    virtual void MoveOuter(Point place) = 0;
    // The outer window on the screen.
    virtual Rect OuterRect() const = 0;
    // A screen point as a device pixel of the client area.
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

    // A native window for `layout`, hidden, on `screen`, without its controls yet; it reports
    // nothing before they are made.
    virtual std::unique_ptr<NativeWindow> NewWindow(WindowEvents& events, const FormLayout& layout,
                                                    const Rect& screen) = 0;
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
