// A form's native window on Windows: made from the form's layout, with its controls drawn by it,
// its shape and its size at the scale for its monitor's DPI (win32_window.cpp), and one window
// procedure that hands each message to a small function named for it, which reports it to the form
// window (win32_window_messages.cpp).
//
// The form works in its own pixels; the window shows them at the scale for its monitor's DPI
// (dpi_scale.h) and converts at this edge: mouse positions in, places, sizes and the shape out.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/common/native_window.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_handles.h"

namespace zorvin::win32 {

class Win32Platform;

class Win32Window final : public NativeWindow {
  public:
    static constexpr const wchar_t* kClassName = L"ZorvinForm";
    // Registers the window class every form's window belongs to.
    static void RegisterWindowClass(HINSTANCE instance);

    // Creates the window, hidden and centred on `screen`, at the scale for 96 DPI; Place sizes it
    // for the DPI of the monitor it is on. Destroyed before it is placed, or when making it fails,
    // it leaves nothing behind and reports nothing more.
    Win32Window(Win32Platform& platform, WindowEvents& events, const FormLayout& layout,
                const Rect& screen);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Null once the native window is destroyed.
    HWND handle() const { return hwnd_; }
    // Enter, Escape and Tab work as in a dialog box in a window with a push button.
    bool takesDialogKeys() const { return !buttons_.empty(); }

  private:
    // A timer's identifier: this plus its index in the layout.
    static constexpr UINT_PTR kFirstTimerId = 1;

    // NativeWindow
    std::unique_ptr<NativePicture> AddPicture(const ControlLayout& control) override;
    std::unique_ptr<NativeLabel> AddLabel(const ControlLayout& control) override;
    void AddButton(const ControlLayout& control) override;
    std::unique_ptr<NativeTimer> AddTimer(const ControlLayout& control) override;
    Point Place() override;
    void Show() override;
    void Hide() override;
    void Destroy() override;
    DpiScale Scale() const override { return scale_; }
    void MoveOuter(Point place) override;
    Rect OuterRect() const override;
    Point ScreenToClient(Point screen) const override;
    void SetShape(std::span<const Point> outline, FillRule rule) override;
    void SetStaysOnTop(bool on) override;
    std::optional<std::string_view> PopupMenu(std::span<const PopupItem> items,
                                              std::optional<ClientPoint> anchor) override;
    void GrabPointer() override;
    void ReleasePointer() override;

    // Where the client area begins inside the outer window, and on the screen.
    POINT clientOffset() const;
    POINT clientOrigin() const;
    // Sizes the window, its controls, fonts and icons for `dpi`.
    void ScaleTo(int dpi);
    void FitClientArea();
    int ApplyShape(bool redraw) const;
    // The window moved to a monitor of another DPI, or the DPI changed.
    void Rescale(int dpi, const RECT& suggested);
    // A client point in device pixels: exactly, in the form's pixels, and the control it is on.
    struct MousePlace {
        std::optional<ControlId> control;
        ClientPoint at;
    };
    MousePlace MouseAt(POINT client) const;
    const WindowlessControl* windowlessAt(ControlId control) const;
    // Destroys the native window, which then sends nothing more to this object.
    void DestroyNative();

    // Messages (win32_window_messages.cpp)
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
    void OnWindowPosChanged(const WINDOWPOS& position);
    void OnNcDestroy();
    const Win32Button* ButtonFor(int commandId) const;

    Win32Platform& platform_;
    WindowEvents& events_;
    const FormLayout& layout_;
    const Rect screen_;
    HWND hwnd_ = nullptr;
    DWORD style_;
    DpiScale scale_;
    int dpi_ = kStandardDpi;
    SIZE outerSize_{};  // the window's size for the layout's client size at its scale
    OwnedBrush background_;
    OwnedFont font_;  // the window's own font at its scale, for its buttons
    OwnedRegion formShape_;
    // The pictures and labels the form window owns, bottom to top, drawn by this window.
    std::vector<WindowlessControl*> windowless_;
    std::vector<std::unique_ptr<Win32Button>> buttons_;
    int nextButtonCommand_;
};

}  // namespace zorvin::win32
