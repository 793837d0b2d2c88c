// A form's window, built from its layout: one window procedure that hands each message to a small
// function named for it, and the form's events delivered from there through the core every backend
// shares.
//
// The form works in its own pixels; the window shows them at the scale for its monitor's DPI
// (dpi_scale.h) and converts at this edge: mouse positions in, positions, sizes and the region
// out. Left and Top are the outer window's device position in the form's pixels, fraction kept.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/common/layout_walk.h"
#include "platform/common/window_core.h"
#include "platform/control_lookup.h"
#include "platform/form_runtime.h"
#include "platform/layout.h"
#include "platform/types.h"
#include "platform/win32/dpi_scale.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_handles.h"

namespace zorvin::win32 {

class Win32Platform;

class Win32Window final : public Window, private NativeWindow, private ControlBuilder {
  public:
    static constexpr const wchar_t* kClassName = L"ZorvinForm";
    // Registers the window class every form's window belongs to.
    static void RegisterWindowClass(HINSTANCE instance);

    // Creates the window, hidden and centred on a screen, with its controls and menus, at the
    // scale for the DPI of the monitor it is on. When that fails, nothing of it is left behind.
    Win32Window(Win32Platform& platform, const FormLayout& layout, FormEvents& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    void Unload() override;
    Hwnd hWnd() const override;
    float Left() const override;
    void setLeft(float left) override;
    float Top() const override;
    void setTop(float top) override;
    Win32Picture& picture(ControlId id) override;
    Win32Label& label(ControlId id) override;
    Win32Timer& timer(ControlId id) override;
    Win32MenuItem& menuItem(std::string_view name) override;

    WindowCore& core() { return core_; }
    // Null once the native window is destroyed.
    HWND handle() const { return hwnd_; }
    // The outer window on the screen.
    RECT outerRect() const;
    // Enter, Escape and Tab work as in a dialog box in a window with a push button.
    bool takesDialogKeys() const { return !buttons_.empty(); }
    // Takes the form's region, in window coordinates for the layout's frame, as the window's shape:
    // scaled, and placed on the client area wherever this system's frame puts it. The window keeps
    // the form's region to shape itself again when its scale changes.
    int SetRegion(HRGN formRegion, bool redraw);
    // A screen point in device pixels as the nearest client pixel of the form.
    Point ScreenToClient(Point screen) const;
    // Shows the items of the named top-level menu; returns when the menu closes, with the item
    // chosen, if any, and the window still loaded.
    std::optional<ControlId> TrackPopupMenu(std::string_view menu);
    // Something this window's timers' ticks read may have changed.
    void Change();
    // The platform hears of every change from now on.
    void WatchChanges();

  private:
    // Where the outer window is on the screen now, moves asked for and not yet made aside.
    OuterPosition Shown() const;

    // NativeWindow
    ClientPoint ControlOrigin(ControlId control) const override;
    void MoveOuter(OuterPosition position) override;
    void GrabPointer() override;
    void ReleasePointer() override;

    // ControlBuilder
    void AddPicture(const ControlLayout& control) override;
    void AddLabel(const ControlLayout& control) override;
    void AddButton(const ControlLayout& control) override;
    void AddTimer(const ControlLayout& control) override;

    // Where the client area begins inside the outer window, and on the screen.
    POINT clientOffset() const;
    POINT clientOrigin() const;
    // Sizes the window, its controls, fonts and icons for `dpi`.
    void ScaleTo(int dpi);
    void FitClientArea();
    int ApplyRegion(bool redraw) const;
    // A client point in device pixels: exactly, in the form's pixels, and the control it is on.
    struct MousePlace {
        std::optional<ControlId> control;
        ClientPoint at;
    };
    MousePlace PlaceOf(POINT client) const;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnPaint();
    void OnButtonDown(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(HWND under, UINT hitTest);
    void OnTimer(UINT_PTR timerId);
    void OnCommand(int commandId, int notification);
    void OnContextMenu(LPARAM lParam);
    void OnSetFocus();
    LRESULT OnGetDefId() const;
    void OnGetMinMaxInfo(MINMAXINFO& limits) const;
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnNcDestroy();

    void CreateMenus();
    // Destroys the native window, which then sends nothing more to this object.
    void DestroyNative();
    const Win32Button* ButtonFor(int commandId) const;

    Win32Platform& platform_;
    WindowCore core_;
    HWND hwnd_ = nullptr;
    DWORD style_;
    DpiScale scale_;
    int dpi_ = kStandardDpi;
    SIZE outerSize_{};  // the window's size for the layout's client size at its scale
    OwnedBrush background_;
    OwnedFont font_;  // the window's own font at its scale, for its buttons
    OwnedRegion formRegion_;
    std::vector<std::unique_ptr<WindowlessControl>> windowless_;  // bottom to top
    std::map<ControlKey, WindowlessControl*> windowlessByKey_;
    std::map<ControlKey, Win32Picture*> pictures_;
    std::map<ControlKey, Win32Label*> labels_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    std::vector<std::unique_ptr<Win32Button>> buttons_;
    int nextButtonCommand_;
    UINT_PTR nextTimerId_;
    // Every top-level menu is opened as a pop-up only.
    std::vector<std::pair<std::string_view, OwnedMenu>> popups_;
    std::map<std::string_view, std::unique_ptr<Win32MenuItem>, std::less<>> menuItems_;
};

}  // namespace zorvin::win32
