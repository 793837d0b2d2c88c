#include "platform/win32/win32_controls.h"

#include "platform/win32/user32_function.h"
#include "platform/win32/win32_text.h"

namespace zorvin::win32 {

WindowlessControl::WindowlessControl(const ControlLayout& layout, HWND owner, const DpiScale& scale)
    : layout_(layout), owner_(owner), scale_(scale) {}

void WindowlessControl::Repaint() const {
    const RECT rect = bounds();
    RedrawWindow(owner_, &rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

Win32Picture::Win32Picture(const ControlLayout& layout, HWND owner, const DpiScale& scale,
                           const Bitmap& bitmap)
    : WindowlessControl(layout, owner, scale), bitmap_(bitmap) {}

void Win32Picture::MoveTo(Point device) {
    const RECT before = bounds();
    at_ = device;
    const RECT after = bounds();
    InvalidateRect(owner_, &before, FALSE);
    InvalidateRect(owner_, &after, FALSE);
}

RECT Win32Picture::bounds() const {
    return {at_.x, at_.y, at_.x + scale_.ToDevice(layout_.width),
            at_.y + scale_.ToDevice(layout_.height)};
}

// Each pixel of the picture becomes a block of the scale's size: the window's pictures are drawn
// with COLORONCOLOR, which copies the nearest pixel and blends none.
void Win32Picture::Paint(HDC dc) const {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap_.handle);
    const RECT at = bounds();
    const SIZE size = bitmap_.size;
    const int width = scale_.ToDevice(static_cast<std::int32_t>(size.cx));
    const int height = scale_.ToDevice(static_cast<std::int32_t>(size.cy));
    if (bitmap_.transparent) {
        TransparentBlt(dc, at.left, at.top, width, height, source, 0, 0, size.cx, size.cy,
                       *bitmap_.transparent);
    } else {
        StretchBlt(dc, at.left, at.top, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    }
    SelectObject(source, previous);
    DeleteDC(source);
}

Win32Label::Win32Label(const ControlLayout& layout, HWND owner, const DpiScale& scale,
                       const Font& font)
    : WindowlessControl(layout, owner, scale),
      layoutFont_(font),
      font_(CreateLayoutFont(font, scale.dpi())),
      foreColor_(layout.foreColor),
      caption_(layout.caption) {}

RECT Win32Label::bounds() const {
    const Rect at = scale_.ToDevice(Rect{layout_.left, layout_.top, layout_.left + layout_.width,
                                         layout_.top + layout_.height});
    return {at.left, at.top, at.right, at.bottom};
}

void Win32Label::Rescale() {
    font_.reset(CreateLayoutFont(layoutFont_, scale_.dpi()));
}

void Win32Label::setForeColor(Colour colour) {
    foreColor_ = colour;
    Repaint();
}

void Win32Label::setCaption(std::string_view caption) {
    caption_ = caption;
    Repaint();
}

// Colours are 0x00BBGGRR, as COLORREF is. The text is shown as it is, '&' included: a link's text
// is its address.
void Win32Label::Paint(HDC dc) const {
    SetTextColor(dc, foreColor_);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(dc, font_.get());
    RECT at = bounds();
    const std::wstring text = Widen(caption_);
    const UINT alignment = layout_.alignment == Alignment::Center ? DT_CENTER : DT_LEFT;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &at,
              alignment | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
}

Win32Button::Win32Button(const ControlLayout& layout, HWND owner, int commandId)
    : layout_(layout),
      commandId_(commandId),
      handle_(CreateWindowExW(0, L"BUTTON", Widen(layout.caption).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                  (layout.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                              layout.left, layout.top, layout.width, layout.height, owner,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)),
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                              nullptr)) {}

void Win32Button::Place(const DpiScale& scale, HFONT font) const {
    const Rect at = scale.ToDevice(Rect{layout_.left, layout_.top, layout_.left + layout_.width,
                                        layout_.top + layout_.height});
    MoveWindow(handle_, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// Windows 8 and later; the system's default tolerance lets it fire with other timers.
void Win32Timer::Arm(std::chrono::milliseconds period) {
    using SetCoalescableTimerFunction = UINT_PTR WINAPI(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);
    static const auto coalescable =
        User32Function<SetCoalescableTimerFunction>("SetCoalescableTimer");
    const auto elapse = static_cast<UINT>(period.count());
    if (!coalescable ||
        !coalescable(owner_, timerId_, elapse, nullptr, TIMERV_DEFAULT_COALESCING)) {
        SetTimer(owner_, timerId_, elapse, nullptr);
    }
}

void Win32Timer::Disarm() {
    KillTimer(owner_, timerId_);
}

}  // namespace zorvin::win32
