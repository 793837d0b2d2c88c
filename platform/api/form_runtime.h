// The form runtime: windows built from a layout, their controls, event delivery, the timer, the
// pop-up menu and the end of the program. Written once (platform/common/form_platform.h) over each
// backend's plain operations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/api/layout.h"
#include "platform/api/types.h"

namespace zorvin {

// A control as events name it: its name and, inside a control array, its index (else -1).
struct ControlId {
    std::string_view name;
    std::int16_t index = -1;

    friend bool operator==(const ControlId&, const ControlId&) = default;
};

struct MouseArgs {
    std::int16_t Button = 0;  // MouseDown and MouseUp: the one button; MouseMove: the sum held
    std::int16_t Shift = 0;
    float X = 0;  // pixels, relative to the control's top-left corner
    float Y = 0;
};

// What a window delivers to the form that owns it, one event at a time. A control's events go
// to that control only: a press on a control that handles nothing reaches no handler, not even
// one of a control below it. The release, and every move while a button is held, go to the
// control that got the press.
class FormEvents {
  public:
    virtual ~FormEvents() = default;

    virtual void MouseDown(ControlId, const MouseArgs&) {}
    virtual void MouseMove(ControlId, const MouseArgs&) {}
    virtual void MouseUp(ControlId, const MouseArgs&) {}
    // A menu item was chosen or a push button pressed (by the mouse, Enter or Escape).
    virtual void Click(ControlId) {}
    virtual void Timer(ControlId) {}
    // The user closed the window from its caption bar, system menu or taskbar.
    virtual void CaptionClose() = 0;
};

// A picture control; positions are client pixels and may be fractional.
class PictureBox {
  public:
    virtual ~PictureBox() = default;
    virtual float Left() const = 0;
    virtual void setLeft(float left) = 0;
    virtual float Top() const = 0;
    virtual void setTop(float top) = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
};

class Label {
  public:
    virtual ~Label() = default;
    virtual Colour ForeColor() const = 0;
    virtual void setForeColor(Colour colour) = 0;  // repaints the text
    virtual std::string Caption() const = 0;
    virtual void setCaption(std::string_view caption) = 0;
};

class Timer {
  public:
    virtual ~Timer() = default;
    virtual std::int32_t Interval() const = 0;
    // 0 stops the timer; a positive value makes it tick at that period, in milliseconds.
    virtual void setInterval(std::int32_t milliseconds) = 0;
};

class MenuItem {
  public:
    virtual ~MenuItem() = default;
    virtual bool Checked() const = 0;
    virtual void setChecked(bool checked) = 0;
};

// A loaded form's window. Unloading it destroys the native window and its controls' values. The
// form may unload it while one of the window's own events is running: the backend's code of that
// event still runs after the form's handler returns, so the object itself must live on, unloaded,
// until no event of it is running. Destroying the object unloads the window if it is loaded.
class Window {
  public:
    virtual ~Window() = default;

    virtual void Unload() = 0;
    // Whether one of the window's events is running: an unloaded window must outlive it.
    virtual bool inEvent() const = 0;

    virtual Hwnd hWnd() const = 0;
    // The screen position of the window's outer top-left corner, in pixels; setting one moves the
    // window.
    virtual float Left() const = 0;
    virtual void setLeft(float left) = 0;
    virtual float Top() const = 0;
    virtual void setTop(float top) = 0;

    // Controls by layout name (and index inside a control array). Asking for a control the layout
    // does not have is a programming error.
    virtual PictureBox& picture(ControlId id) = 0;
    virtual Label& label(ControlId id) = 0;
    virtual Timer& timer(ControlId id) = 0;
    virtual MenuItem& menuItem(std::string_view name) = 0;
};

class FormRuntime {
  public:
    virtual ~FormRuntime() = default;

    // Builds the form's window, hidden, from its layout; its events go to `events`.
    virtual std::unique_ptr<Window> Load(const FormLayout& layout, FormEvents& events) = 0;
    // Shows the window, modeless and without owner, and brings it to the front.
    virtual void Show(Window& window) = 0;
    // Runs all pending window-system events, then returns.
    virtual void DoEvents() = 0;
    // Shows the items under the named top-level menu as a pop-up at the pointer; returns when the
    // menu closes, after the chosen item's Click has run.
    virtual void PopupMenu(Window& window, std::string_view menu) = 0;
    // Ends the program at once: every window closes and no further event is delivered.
    virtual void End() = 0;
};

}  // namespace zorvin
