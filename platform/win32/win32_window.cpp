#include "platform/win32/win32_window.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace zorvin::win32 {
namespace {

// Menu items are told apart by these command identifiers, offset by their index in the layout.
constexpr UINT kFirstMenuCommand = 1000;
// Push buttons that are neither default nor cancel get identifiers from here on.
constexpr int kFirstButtonCommand = 100;
constexpr UINT_PTR kFirstTimerId = 1;

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The mouse buttons held, as mouse events add them up: 1 left, 2 right, 4 middle.
std::int16_t ButtonsHeld(WPARAM keys) {
    return static_cast<std::int16_t>(((keys & MK_LBUTTON) ? vbLeftButton : 0) |
                                     ((keys & MK_RBUTTON) ? vbRightButton : 0) |
                                     ((keys & MK_MBUTTON) ? vbMiddleButton : 0));
}

// 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(WPARAM keys) {
    return static_cast<std::int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                     (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

MouseArgs ArgsFor(const WindowlessControl& control, std::int16_t button, WPARAM keys,
                  POINT client) {
    return {button, ShiftState(keys), control.relativeX(client.x), control.relativeY(client.y)};
}

// A fixed single frame with a caption bar and a system menu.
DWORD StyleOf(const FormLayout& layout) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (layout.minButton ? WS_MINIMIZEBOX : 0) | (layout.maxButton ? WS_MAXIMIZEBOX : 0);
}

DpiScale ScaleAt(const FormLayout& layout, int dpi) {
    return layout.dpiScaling == DpiScaling::WholeFactor ? DpiScale::WholeFactor(dpi)
                                                        : DpiScale::Proportional(dpi);
}

}  // namespace

void Win32Window::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

Win32Window::Win32Window(Win32Platform& platform, const FormLayout& layout, FormEvents& events)
    : platform_(platform),
      layout_(layout),
      events_(events),
      style_(StyleOf(layout)),
      scale_(ScaleAt(layout, kStandardDpi)),
      background_(CreateSolidBrush(layout.backColor)) {
    CreateWindowExW(0, kClassName, Widen(layout.caption).c_str(), style_, 0, 0, 0, 0, nullptr,
                    nullptr, platform.resources().instance(), this);
    if (!hwnd_) {
        throw std::runtime_error("cannot create the window " + std::string(layout.name));
    }
    CreateControls();
    CreateMenus();
    // Sized once it exists, for the DPI of the monitor it is on. Creating a captioned window asks
    // its minimum size before the window knows its layout, and so widens it to the system's
    // minimum (112 pixels under Wine). Placed again, it answers for itself (OnGetMinMaxInfo) and
    // gets the layout's client size.
    ScaleTo(DpiOf(hwnd_));
    const int x = (GetSystemMetrics(SM_CXSCREEN) - outerSize_.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - outerSize_.cy) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, outerSize_.cx, outerSize_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    platform_.Adopt(*this);
}

Win32Window::~Win32Window() {
    Destroy();
    DestroyMenu(menus_);
    DeleteObject(formRegion_);
    DeleteObject(font_);
    DeleteObject(background_);
}

void Win32Window::ScaleTo(int dpi) {
    dpi_ = dpi;
    scale_ = ScaleAt(layout_, dpi);
    const SIZE client{scale_.ToDevice(layout_.client.width),
                      scale_.ToDevice(layout_.client.height)};
    outerSize_ = OuterSizeAt(client, style_, dpi);
    HFONT previous = font_;
    font_ = CreateLayoutFont(layout_.font, scale_.dpi());
    for (const auto& button : buttons_) {
        button->Place(scale_, font_);
    }
    DeleteObject(previous);
    for (const auto& control : windowless_) {
        control->Rescale();
    }
    const Win32Resources& resources = platform_.resources();
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(resources.smallIcon(layout_.icon, dpi)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(resources.bigIcon(layout_.icon, dpi)));
}

void Win32Window::CreateControls() {
    const Win32Resources& resources = platform_.resources();
    int nextButtonCommand = kFirstButtonCommand;
    UINT_PTR nextTimerId = kFirstTimerId;
    for (const ControlLayout& control : layout_.controls) {
        const ControlKey key{control.name, control.index};
        switch (control.kind) {
            case ControlKind::Picture: {
                auto picture = std::make_unique<Win32Picture>(control, hwnd_, scale_,
                                                              resources.picture(control.picture));
                pictures_.emplace(key, picture.get());
                windowless_.push_back(std::move(picture));
                break;
            }
            case ControlKind::Label: {
                auto label = std::make_unique<Win32Label>(
                    control, hwnd_, scale_, control.font ? *control.font : layout_.font);
                labels_.emplace(key, label.get());
                windowless_.push_back(std::move(label));
                break;
            }
            case ControlKind::CommandButton: {
                const int command = control.isDefault  ? IDOK
                                    : control.isCancel ? IDCANCEL
                                                       : nextButtonCommand++;
                buttons_.push_back(std::make_unique<Win32Button>(control, hwnd_, command));
                break;
            }
            case ControlKind::Timer:
                timers_.push_back(std::make_unique<Win32Timer>(control, hwnd_, nextTimerId++));
                break;
        }
    }
}

void Win32Window::CreateMenus() {
    menus_ = CreateMenu();
    HMENU current = nullptr;
    UINT position = 0;
    for (std::size_t index = 0; index < layout_.menu.size(); ++index) {
        const MenuLayout& item = layout_.menu[index];
        const std::wstring caption = Widen(item.caption);
        const UINT checked = item.checked ? MF_CHECKED : MF_UNCHECKED;
        if (item.level == 0) {
            HMENU popup = CreatePopupMenu();
            const auto topPosition = static_cast<UINT>(popups_.size());
            AppendMenuW(menus_, MF_POPUP | MF_STRING | checked, reinterpret_cast<UINT_PTR>(popup),
                        caption.c_str());
            popups_.emplace_back(item.name, popup);
            menuItems_.emplace(item.name, std::make_unique<Win32MenuItem>(menus_, topPosition));
            current = popup;
            position = 0;
        } else {
            const UINT kind = item.caption == "-" ? MF_SEPARATOR : MF_STRING;
            AppendMenuW(current, kind | checked, kFirstMenuCommand + index, caption.c_str());
            menuItems_.emplace(item.name, std::make_unique<Win32MenuItem>(current, position++));
        }
    }
}

void Win32Window::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);  // WM_NCDESTROY forgets the handle
    }
}

Hwnd Win32Window::hWnd() const {
    return FromHwnd(hwnd_);
}

float Win32Window::Left() const {
    return scale_.ToForm(outerRect().left);
}

void Win32Window::setLeft(float left) {
    moveTo(scale_.ToDevice(left), outerRect().top);
}

float Win32Window::Top() const {
    return scale_.ToForm(outerRect().top);
}

void Win32Window::setTop(float top) {
    moveTo(outerRect().left, scale_.ToDevice(top));
}

RECT Win32Window::outerRect() const {
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    return outer;
}

void Win32Window::moveTo(int left, int top) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Picture& Win32Window::picture(ControlId id) {
    return FindControl(pictures_, id, "picture");
}

Win32Label& Win32Window::label(ControlId id) {
    return FindControl(labels_, id, "label");
}

Win32Timer& Win32Window::timer(ControlId id) {
    for (const auto& timer : timers_) {
        if (timer->id() == id) {
            return *timer;
        }
    }
    throw std::out_of_range("no timer " + std::string(id.name));
}

Win32MenuItem& Win32Window::menuItem(std::string_view name) {
    return FindMenuItem(menuItems_, name);
}

POINT Win32Window::clientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    return origin;
}

POINT Win32Window::clientOffset() const {
    const RECT outer = outerRect();
    const POINT origin = clientOrigin();
    return {origin.x - outer.left, origin.y - outer.top};
}

Point Win32Window::ScreenToClient(Point screen) const {
    const POINT origin = clientOrigin();
    return {scale_.ToFormPixel(screen.x - origin.x), scale_.ToFormPixel(screen.y - origin.y)};
}

int Win32Window::SetRegion(HRGN formRegion, bool redraw) {
    if (formRegion != formRegion_) {
        DeleteObject(formRegion_);
        formRegion_ = formRegion;
    }
    return ApplyRegion(redraw);
}

// Each rectangle of the form's region is scaled by itself, so that the shape's edge follows the
// scaled pixels exactly, as a polygon drawn at the larger size would not.
int Win32Window::ApplyRegion(bool redraw) const {
    if (!formRegion_) {
        return 0;
    }
    const DWORD bytes = GetRegionData(formRegion_, 0, nullptr);
    std::vector<DWORD> buffer((bytes + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(formRegion_, bytes, data);
    const POINT offset = clientOffset();
    const Point design = layout_.clientOrigin;
    const auto toDevice = [&](const RECT& form) {
        const PixelRect client =
            scale_.ToDevice(PixelRect{form.left - design.x, form.top - design.y,
                                      form.right - design.x, form.bottom - design.y});
        return RECT{client.left + offset.x, client.top + offset.y, client.right + offset.x,
                    client.bottom + offset.y};
    };
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        rects[i] = toDevice(rects[i]);
    }
    data->rdh.rcBound = toDevice(data->rdh.rcBound);
    HRGN device = ExtCreateRegion(nullptr, bytes, data);
    return ::SetWindowRgn(hwnd_, device, redraw ? TRUE : FALSE);
}

std::optional<ControlId> Win32Window::TrackPopupMenu(std::string_view menu) {
    HMENU popup = nullptr;
    for (const auto& [name, handle] : popups_) {
        if (name == menu) {
            popup = handle;
        }
    }
    if (!popup) {
        throw std::out_of_range("no menu " + std::string(menu));
    }
    POINT at{};
    GetCursorPos(&at);
    // A pop-up menu closes when the user clicks elsewhere only if its owner is in the foreground.
    SetForegroundWindow(hwnd_);
    const auto command = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, hwnd_, nullptr));
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    // The menu took the mouse: the press that opened it holds no capture any more.
    capture_.reset();
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (command < kFirstMenuCommand || command - kFirstMenuCommand >= layout_.menu.size()) {
        return std::nullopt;
    }
    return ControlId{layout_.menu[command - kFirstMenuCommand].name};
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // No exception may cross the system's frames: an untrapped error ends the program here.
    try {
        return window->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        EndWithRunTimeError(error);
    }
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole client area
        case WM_LBUTTONDOWN:
            OnButtonDown(vbLeftButton, wParam, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            OnButtonDown(vbRightButton, wParam, lParam);
            return 0;
        case WM_MBUTTONDOWN:
            OnButtonDown(vbMiddleButton, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(vbLeftButton, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            OnButtonUp(vbRightButton, wParam, lParam);
            return 0;
        case WM_MBUTTONUP:
            OnButtonUp(vbMiddleButton, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged();
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
                return TRUE;
            }
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case DM_GETDEFID:
            return OnGetDefId();
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(background_);
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NCDESTROY:
            OnNcDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// Drawn off screen first so that a moving pupil never flickers.
void Win32Window::OnPaint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(hwnd_, &paint);
    RECT client{};
    GetClientRect(hwnd_, &client);
    HDC buffer = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(buffer, canvas);
    FillRect(buffer, &client, background_);
    SetStretchBltMode(buffer, COLORONCOLOR);
    for (const auto& control : windowless_) {
        control->Paint(buffer);
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, previous);
    DeleteObject(canvas);
    DeleteDC(buffer);
    EndPaint(hwnd_, &paint);
}

void Win32Window::OnButtonDown(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    const POINT at = PointOf(lParam);
    if (!capture_) {
        capture_ = Capture{ControlAt(at), 0};
        SetCapture(hwnd_);
    }
    capture_->held = static_cast<std::int16_t>(capture_->held | button);
    if (WindowlessControl* target = capture_->control) {
        events_.MouseDown(target->id(), ArgsFor(*target, button, wParam, at));
    }
}

void Win32Window::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const POINT at = PointOf(lParam);
    WindowlessControl* target = capture_ ? capture_->control : ControlAt(at);
    if (target) {
        events_.MouseMove(target->id(), ArgsFor(*target, ButtonsHeld(wParam), wParam, at));
    }
}

void Win32Window::OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    const POINT at = PointOf(lParam);
    WindowlessControl* target = nullptr;
    if (capture_) {
        target = capture_->control;
        capture_->held = static_cast<std::int16_t>(capture_->held & ~button);
        if (capture_->held == 0) {
            capture_.reset();
            ReleaseCapture();
        }
    } else {
        // The press was lost to the system (a menu, another window): the control under the
        // pointer gets the release, as without capture.
        target = ControlAt(at);
    }
    if (target) {
        events_.MouseUp(target->id(), ArgsFor(*target, button, wParam, at));
    }
}

void Win32Window::OnCaptureChanged() {
    capture_.reset();
}

bool Win32Window::OnSetCursor(HWND under, UINT hitTest) {
    if (under != hwnd_ || hitTest != HTCLIENT) {
        return false;
    }
    POINT at{};
    GetCursorPos(&at);
    ::ScreenToClient(hwnd_, &at);
    const WindowlessControl* control = ControlAt(at);
    SetCursor(
        platform_.resources().cursor(control ? control->pointer() : MousePointer::Default, dpi_));
    return true;
}

void Win32Window::OnTimer(UINT_PTR timerId) {
    for (const auto& timer : timers_) {
        if (timer->timerId() == timerId) {
            events_.Timer(timer->id());
            return;
        }
    }
}

void Win32Window::OnCommand(int commandId, int notification) {
    if (notification != BN_CLICKED) {
        return;
    }
    if (const Win32Button* button = ButtonFor(commandId)) {
        events_.Click(button->id());
    }
}

// The keyboard focus goes to the default button, as in a dialog box.
void Win32Window::OnSetFocus() {
    for (const auto& button : buttons_) {
        if (button->isDefault()) {
            SetFocus(button->handle());
            return;
        }
    }
}

LRESULT Win32Window::OnGetDefId() const {
    for (const auto& button : buttons_) {
        if (button->isDefault()) {
            return MAKELRESULT(button->commandId(), DC_HASDEFID);
        }
    }
    return 0;
}

void Win32Window::OnClose() {
    events_.CaptionClose();
}

// The layout's size is the smallest the window may be, however narrow the system likes captioned
// windows.
void Win32Window::OnGetMinMaxInfo(MINMAXINFO& limits) const {
    DefWindowProcW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    limits.ptMinTrackSize = {outerSize_.cx, outerSize_.cy};
}

// The window moved to a monitor of another DPI (or the DPI changed). Windows suggests a rectangle
// scaled by the ratio of the two; a dialog takes its place, at a size worked out as at the start
// so that its client area is exactly the layout's scaled. A window scaled by whole factors keeps
// the point under the pointer where it is while a button is held on it (a drag), else its centre.
void Win32Window::OnDpiChanged(int dpi, const RECT& suggested) {
    const DpiScale before = scale_;
    const POINT origin = clientOrigin();
    POINT anchor{origin.x + before.ToDevice(layout_.client.width) / 2,
                 origin.y + before.ToDevice(layout_.client.height) / 2};
    if (capture_) {
        GetCursorPos(&anchor);
    }
    ScaleTo(dpi);
    if (layout_.dpiScaling == DpiScaling::Proportional) {
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outerSize_.cx, outerSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(hwnd_, nullptr, 0, 0, outerSize_.cx, outerSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const Point kept =
            RescaledOrigin({origin.x, origin.y}, {anchor.x, anchor.y}, before, scale_);
        const POINT offset = clientOffset();
        moveTo(kept.x - offset.x, kept.y - offset.y);
    }
    ApplyRegion(true);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32Window::OnNcDestroy() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    platform_.Forget(*this);
    hwnd_ = nullptr;
    capture_.reset();
}

WindowlessControl* Win32Window::ControlAt(POINT client) const {
    for (auto control = windowless_.rbegin(); control != windowless_.rend(); ++control) {
        if ((*control)->Contains(client)) {
            return control->get();
        }
    }
    return nullptr;
}

// Escape sends IDCANCEL, which is the cancel button's whatever its own identifier.
const Win32Button* Win32Window::ButtonFor(int commandId) const {
    for (const auto& button : buttons_) {
        if (commandId == IDCANCEL ? button->isCancel() : button->commandId() == commandId) {
            return button.get();
        }
    }
    return nullptr;
}

}  // namespace zorvin::win32
