// Zorvin's Windows backend: the form runtime and the system functions the forms call, on user32,
// gdi32 and shell32 themselves.
//
// Implemented:
//  [X] Windows built from a form's layout: caption, client size, a fixed frame without minimise
//      and maximise buttons, the face icon, hidden until shown, centred on the primary monitor or
//      on the monitor that holds most of the window already loaded.
//  [X] Pictures and labels drawn by their window (pictures in layout order, transparent pixels
//      left out; labels' text, colour, alignment and font); push buttons as BUTTON windows.
//  [X] Mouse events on pictures and labels, Button 1, 2, 4 (summed for moves), Shift, X and Y
//      relative to the control; the control that got a press has the mouse until all buttons are
//      up. A control that handles nothing still takes its presses.
//  [X] The hand pointer over controls that ask for it.
//  [X] Enter and Escape press the default and the cancel button anywhere in a window with buttons
//      (IsDialogMessage in the message loop and in DoEvents).
//  [X] Timers (SetCoalescableTimer, else SetTimer, by interval; 0 stops them) and menu check
//      marks, kept by the system. A tick passes while nothing it reads has changed
//      (platform/common/gated_timer.h): the mouse's raw input (WM_INPUT, with RIDEV_INPUTSINK),
//      WM_WINDOWPOSCHANGED and WM_DISPLAYCHANGE tell of changes. Until raw input has shown that it
//      comes for moves outside the program's windows (Wine sends it only for moves over them),
//      every tick runs.
//  [X] Show (modeless, no owner, brought to the front), DoEvents (windows move, then repaint, then
//      pending messages run), PopupMenu at the pointer, or at the window for Shift+F10 and the Menu
//      key, either button choosing, with the chosen item's Click, End, and a close from the caption
//      bar as CaptionClose.
//  [X] A lost mouse capture (WM_CAPTURECHANGED, WM_CANCELMODE) with buttons held delivers their
//      releases.
//  [X] CreatePolygonRgn, SetWindowRgn, SetWindowPos, GetCursorPos, ScreenToClient and
//      ShellExecuteA (as ShellExecuteW, the forms' UTF-8 widened), with the forms' arguments. A
//      region is scaled with its window and moved by the difference between the real frame and the
//      layout's before the window takes it, so that it keeps its place on the face under any theme.
//  [X] Per-monitor DPI awareness (zorvin.manifest): each window scales itself for its monitor's
//      DPI, the face by a whole factor, the About box by dpi / 96, again on WM_DPICHANGED (see
//      dpi_scale.h). The forms keep their own pixels; GetCursorPos gives device pixels, which
//      ScreenToClient turns into the form's client pixels with a single rounding.
// Not implemented:
//  [ ] Menu bars: every top-level menu is opened only as a pop-up, as the forms use them.
#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>

#include "platform/common/screen_placement.h"
#include "platform/platform.h"
#include "platform/win32/win32_resources.h"

namespace zorvin::win32 {

class Win32Window;

class Win32Platform final : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);

    // Delivers events until the program ends; the exit code.
    int Run();

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

    const Win32Resources& resources() const { return resources_; }
    // Whether End has been called: from then on no event reaches a form.
    const bool& ended() const { return ended_; }
    // The screen a new window is centred on: the one that holds most of the program's window
    // already loaded, if any, else the primary monitor.
    Rect ScreenForNewWindow() const;
    // Windows tell the platform when their native window is created and destroyed.
    void Adopt(Win32Window& window);
    void Forget(Win32Window& window);

    // Whether the platform hears of every change a tick reads, so that ticks may pass while
    // nothing changes: once the mouse's raw input has told a move between two places over other
    // programs' windows.
    bool watchingChanges() const { return watching_; }
    // The mouse's raw input goes to `hwnd` from now on, wherever the pointer is.
    void ListenToMouse(HWND hwnd);
    // WM_INPUT: the mouse moved, or a button or the wheel.
    void MouseInput();
    // Something a tick reads may have changed: the pointer, a window's place, the screens.
    void Changed();

  private:
    void Dispatch(MSG& message);
    Win32Window* windowOf(HWND hwnd) const;

    Win32Resources resources_;
    std::map<HWND, Win32Window*> windows_;
    bool ended_ = false;
    bool watching_ = false;
    // The last raw input's place, and whether it was over another program's window.
    POINT lastInputAt_{};
    bool lastInputOutside_ = false;
};

// An error no event procedure trapped: reported, then the program ends.
[[noreturn]] void EndWithRunTimeError(const std::exception& error);

}  // namespace zorvin::win32
