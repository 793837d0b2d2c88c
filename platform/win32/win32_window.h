// A form's window, built from its layout: one window procedure that hands each message to a small
// function named for it, and the form's events delivered from there.
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
#include "platform/win32/win32_controls.h"

namespace zorvin::win32 {

class Win32Platform;

class Win32Window final : public Window {
  public:
    static constexpr const wchar_t* kClassName = L"ZorvinForm";
    // Registers the window class every form's window belongs to.
    static void RegisterWindowClass(HINSTANCE instance);

    // Creates the window, hidden and centred on the screen, with its controls and menus.
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
    // How far the client area really lies from where the layout's frame puts it.
    POINT frameDifference() const;
    // Shows the items of the named top-level menu at the pointer; returns when the menu closes,
    // with the item chosen, if any.
    std::optional<ControlId> TrackPopupMenu(std::string_view menu);
    // Destroys the native window; the object lives on without it.
    void Destroy();

  private:
    // The outer window on the screen.
    RECT outerRect() const;
    void moveTo(int left, int top);

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
    void OnNcDestroy();

    void CreateControls();
    void CreateMenus();
    WindowlessControl* ControlAt(POINT client) const;
    const Win32Button* ButtonFor(int commandId) const;

    Win32Platform& platform_;
    const FormLayout& layout_;
    FormEvents& events_;
    HWND hwnd_ = nullptr;
    SIZE outerSize_{};  // the window's size for the layout's client size
    HBRUSH background_;
    HFONT font_;                     // the window's own font, for labels without one and buttons
    std::vector<HFONT> labelFonts_;  // labels' own fonts
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
