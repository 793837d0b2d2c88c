// A form's window, built from its layout: one window procedure that hands each message to a small
// function named for it, and the form's events delivered from there.
//
// The form works in its own pixels; the window shows them at the scale for its monitor's DPI
// (dpi_scale.h) and converts at this edge: mouse positions in, positions, sizes and the region
// out. Left and Top are the outer window's device position in the form's pixels, fraction kept.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/control_lookup.h"
#include "platform/form_runtime.h"
#include "platform/layout.h"
#include "platform/types.h"
#include "platform/win32/dpi_scale.h"
#include "platform/win32/win32_controls.h"

namespace zorvin::win32 {

class Win32Platform;

class Win32Window final : public Window {
  public:
    static constexpr const wchar_t* kClassName = L"ZorvinForm";
    // Registers the window class every form's window belongs to.
    static void RegisterWindowClass(HINSTANCE instance);

    // Creates the window, hidden and centred on the screen, with its controls and menus, at the
    // scale for the DPI of the monitor it is on.
    Win32Window(Win32Platform& platform, const FormLayout& layout, FormEvents& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    Hwnd hWnd() const override;
    float Left() const override;
    void setLeft(float left) override;
    float Top() const override;
    void setTop(float top) override;
    Win32Picture& picture(ControlId id) override;
    Win32Label& label(ControlId id) override;
    Win32Timer& timer(ControlId id) override;
    Win32MenuItem& menuItem(std::string_view name) override;

    // Null once the native window is destroyed.
    HWND handle() const { return hwnd_; }
    FormEvents& events() { return events_; }
    // Enter, Escape and Tab work as in a dialog box in a window with a push button.
    bool takesDialogKeys() const { return !buttons_.empty(); }
    // Takes the form's region, in window coordinates for the layout's frame, as the window's shape:
    // scaled, and placed on the client area wherever this system's frame puts it. The window keeps
    // the form's region to shape itself again when its scale changes.
    int SetRegion(HRGN formRegion, bool redraw);
    // A screen point in device pixels as the nearest client pixel of the form.
    Point ScreenToClient(Point screen) const;
    // Shows the items of the named top-level menu at the pointer; returns when the menu closes,
    // with the item chosen, if any.
    std::optional<ControlId> TrackPopupMenu(std::string_view menu);
    // Destroys the native window; the object lives on without it.
    void Destroy();

  private:
    // The outer window on the screen.
    RECT outerRect() const;
    void moveTo(int left, int top);
    // Where the client area begins inside the outer window, and on the screen.
    POINT clientOffset() const;
    POINT clientOrigin() const;
    // Sizes the window, its controls, fonts and icons for `dpi`.
    void ScaleTo(int dpi);
    int ApplyRegion(bool redraw) const;

    // The control that got a press, which every move and the release go to until all buttons are
    // up. Null when the press was on no control.
    struct Capture {
        WindowlessControl* control = nullptr;
        std::int16_t held = 0;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A handler that delivers an event does so as its last step: the event may destroy the window.
    void OnPaint();
    void OnButtonDown(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void OnCaptureChanged();
    bool OnSetCursor(HWND under, UINT hitTest);
    void OnTimer(UINT_PTR timerId);
    void OnCommand(int commandId, int notification);
    void OnSetFocus();
    LRESULT OnGetDefId() const;
    void OnClose();
    void OnGetMinMaxInfo(MINMAXINFO& limits) const;
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnNcDestroy();

    void CreateControls();
    void CreateMenus();
    WindowlessControl* ControlAt(POINT client) const;
    const Win32Button* ButtonFor(int commandId) const;

    Win32Platform& platform_;
    const FormLayout& layout_;
    FormEvents& events_;
    HWND hwnd_ = nullptr;
    DWORD style_;
    DpiScale scale_;
    int dpi_ = kStandardDpi;
    SIZE outerSize_{};  // the window's size for the layout's client size at its scale
    HBRUSH background_;
    HFONT font_ = nullptr;  // the window's own font at its scale, for its buttons
    HRGN formRegion_ = nullptr;
    std::vector<std::unique_ptr<WindowlessControl>> windowless_;  // bottom to top
    std::map<ControlKey, Win32Picture*> pictures_;
    std::map<ControlKey, Win32Label*> labels_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    std::vector<std::unique_ptr<Win32Button>> buttons_;
    // A menu bar that is never attached: it holds the top-level menus, each opened as a pop-up.
    HMENU menus_ = nullptr;
    std::vector<std::pair<std::string_view, HMENU>> popups_;
    std::map<std::string_view, std::unique_ptr<Win32MenuItem>, std::less<>> menuItems_;
    std::optional<Capture> capture_;
};

}  // namespace zorvin::win32
