// Zorvin's Windows backend: the window system's plain operations on user32, gdi32 and shell32
// themselves.
//
// Implemented:
//  [X] Windows built from a form's layout: caption, client size, a fixed frame without minimise
//      and maximise buttons, the face icon, hidden until shown, centred on the primary monitor or
//      on the monitor that holds most of the window already loaded.
//  [X] Pictures and labels drawn by their window (pictures in layout order, at the device pixel
//      the form window moves them to, transparent pixels left out; labels' text, colour, alignment
//      and font); push buttons as BUTTON windows.
//  [X] Mouse events on pictures and labels, Button 1, 2, 4 (summed for moves), Shift, X and Y
//      relative to the control; the control that got a press has the mouse until all buttons are
//      up. A control that handles nothing still takes its presses.
//  [X] The hand pointer over controls that ask for it.
//  [X] Enter and Escape press the default and the cancel button anywhere in a window with buttons
//      (IsDialogMessage in the message loop and in DoEvents).
//  [X] Native timers (SetCoalescableTimer, else SetTimer, at the period the form window arms them
//      with; KillTimer disarms them). A tick passes while nothing it reads has changed
//      (platform/common/gated_timer.h): raw input (WM_INPUT, with RIDEV_INPUTSINK) from the
//      mouse, touch screens and pens, WM_WINDOWPOSCHANGED and WM_DISPLAYCHANGE tell of changes;
//      every tick runs unless the mouse's raw input could be registered. Under Wine (ntdll's
//      wine_get_version, or where that is hidden the prefix's HKLM\Software\Wine), whose raw
//      input tells only of moves over Wine's own windows, every tick runs.
//  [X] Show (modeless, no owner, brought to the front), DoEvents (windows move, then repaint, then
//      pending messages run), PopupMenu at the pointer, or at the window for Shift+F10 and the Menu
//      key, either button choosing, End, and a close from the caption bar as CaptionClose.
//  [X] A lost mouse capture (WM_CAPTURECHANGED, WM_CANCELMODE) with buttons held delivers their
//      releases.
//  [X] The shape (a polygon region), stay-on-top (HWND_TOPMOST), the cursor, client points and
//      opening a document (ShellExecuteW, the forms' UTF-8 widened). The shape is scaled with its
//      window and moved by the difference between the real frame and the layout's before the window
//      takes it, so that it keeps its place on the face under any theme.
//  [X] Per-monitor DPI awareness (zorvin.manifest): each window scales itself for its monitor's
//      DPI, the face by a whole factor, the About box by dpi / 96, again on WM_DPICHANGED (see
//      dpi_scale.h), after which the form window places the pictures again (Rescaled). The forms
//      keep their own pixels; the window's places, GetCursorPos and ScreenToClient are in device
//      pixels, which the form window turns into the form's.
// Not implemented:
//  [ ] Menu bars: every top-level menu is opened only as a pop-up, as the forms use them.
#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "platform/common/native_window.h"
#include "platform/win32/win32_resources.h"

namespace zorvin::win32 {

class Win32Window;

class Win32Platform final : public WindowSystem {
  public:
    Win32Platform(DesktopEvents& desktop, HINSTANCE instance);

    // Delivers events until the program ends; the exit code.
    int Run();

    // WindowSystem
    std::unique_ptr<NativeWindow> NewWindow(WindowEvents& events, const FormLayout& layout,
                                            const Rect& screen) override;
    std::vector<Rect> Screens() const override;
    void ProcessEvents() override;
    void Quit() override;
    Point CursorPosition() override;
    bool Open(std::string_view document) override;

    const Win32Resources& resources() const { return resources_; }
    // Windows tell the platform when their native window is created and destroyed.
    void Adopt(HWND hwnd, Win32Window& window);
    void Forget(HWND hwnd);

    // The raw input of the mouse, touch screens and pens goes to `hwnd` from now on, wherever the
    // pointer is, where it tells of every move (WM_INPUT); the ticks may sleep from then on.
    void ListenToPointingDevices(HWND hwnd);
    // Something a tick reads may have changed: the pointer, a window's place, the screens.
    void NoteChange() { desktop_.NoteChange(); }

  private:
    void Dispatch(MSG& message);

    Win32Resources resources_;
    DesktopEvents& desktop_;
    std::map<HWND, Win32Window*> windows_;
    // Known once, at the start: Windows' raw input tells of every move, Wine's does not.
    const bool rawInputTellsEveryMove_;
};

// An error no event procedure trapped: reported, then the program ends.
[[noreturn]] void EndWithRunTimeError(const std::exception& error);

}  // namespace zorvin::win32
