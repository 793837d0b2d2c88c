// The controls of a window. Pictures and labels have no window of their own, like the form
// runtime's lightweight controls: the form's window draws them in layout order, the later above the
// earlier, and finds which one the mouse is on. The push button is a real BUTTON child window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/common/native_window.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_resources.h"

namespace zorvin::win32 {

// A picture or a label: drawn by its window, and the target of the mouse where it lies on top.
// It is shown at the window's scale, which the window owns.
class WindowlessControl {
  public:
    WindowlessControl(const ControlLayout& layout, HWND owner, const DpiScale& scale);
    virtual ~WindowlessControl() = default;
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;

    ControlId id() const { return {layout_.name, layout_.index}; }
    MousePointer pointer() const { return layout_.pointer; }
    // Where it is shown, in the window's device pixels.
    virtual RECT bounds() const = 0;

    virtual void Paint(HDC dc) const = 0;
    // The window's scale has changed.
    virtual void Rescale() {}

  protected:
    // Repaints the control now.
    void Repaint() const;

    const ControlLayout& layout_;
    HWND owner_;
    const DpiScale& scale_;
};

// Its size is the layout's at the window's scale, wherever the form window puts it.
class Win32Picture final : public NativePicture, public WindowlessControl {
  public:
    Win32Picture(const ControlLayout& layout, HWND owner, const DpiScale& scale,
                 const Bitmap& bitmap);

    // Repaints what it leaves and where it lands.
    void MoveTo(Point device) override;
    RECT bounds() const override;
    void Paint(HDC dc) const override;

  private:
    const Bitmap& bitmap_;
    Point at_;
};

class Win32Label final : public NativeLabel, public WindowlessControl {
  public:
    // `font` is the label's own or its window's.
    Win32Label(const ControlLayout& layout, HWND owner, const DpiScale& scale, const Font& font);

    ClientPoint Origin() const override {
        return {static_cast<float>(layout_.left), static_cast<float>(layout_.top)};
    }
    Colour ForeColor() const override { return foreColor_; }
    void setForeColor(Colour colour) override;
    std::string Caption() const override { return caption_; }
    void setCaption(std::string_view caption) override;

    // The layout's box at the window's scale.
    RECT bounds() const override;
    void Paint(HDC dc) const override;
    void Rescale() override;

  private:
    const Font& layoutFont_;
    OwnedFont font_;  // at the window's scale
    Colour foreColor_;
    std::string caption_;
};

// A push button; its command identifier is IDOK for the default button, IDCANCEL for a cancel
// button that is not also the default, as the dialog keys send them.
class Win32Button {
  public:
    Win32Button(const ControlLayout& layout, HWND owner, int commandId);
    // Puts the button at its place at the window's scale, with the window's font at that scale.
    void Place(const DpiScale& scale, HFONT font) const;

    ControlId id() const { return {layout_.name, layout_.index}; }
    int commandId() const { return commandId_; }
    bool isDefault() const { return layout_.isDefault; }
    bool isCancel() const { return layout_.isCancel; }
    HWND handle() const { return handle_; }

  private:
    const ControlLayout& layout_;
    int commandId_;
    HWND handle_;
};

// Ticks arrive as WM_TIMER with the timer's identifier at its window, from a timer the system may
// fire together with others where it can (SetCoalescableTimer).
class Win32Timer final : public NativeTimer {
  public:
    Win32Timer(HWND owner, UINT_PTR timerId) : owner_(owner), timerId_(timerId) {}

    void Arm(std::chrono::milliseconds period) override;
    void Disarm() override;

  private:
    HWND owner_;
    UINT_PTR timerId_;
};

}  // namespace zorvin::win32
