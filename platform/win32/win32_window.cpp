#include "platform/win32/win32_window.h"

#include <stdexcept>
#include <string>

#include "platform/common/screen_placement.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace zorvin::win32 {
namespace {

// Menu items are told apart by these command identifiers, offset by their index in the menu.
constexpr UINT kFirstMenuCommand = 1000;
// Push buttons that are neither default nor cancel get identifiers from here on.
constexpr int kFirstButtonCommand = 100;

// A fixed single frame with a caption bar and a system menu.
DWORD StyleOf(const FormLayout& layout) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (layout.minButton ? WS_MINIMIZEBOX : 0) | (layout.maxButton ? WS_MAXIMIZEBOX : 0);
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

// Made first at its size for 96 DPI, centred on its screen, so that it is on the monitor whose DPI
// it then takes (Place). The brush and fonts are owned from the start, so a failure anywhere frees
// them.
Win32Window::Win32Window(Win32Platform& platform, WindowEvents& events, const FormLayout& layout,
                         const Rect& screen)
    : platform_(platform),
      events_(events),
      layout_(layout),
      screen_(screen),
      style_(StyleOf(layout)),
      scale_(DpiScale::Of(layout.dpiScaling, kStandardDpi)),
      background_(CreateSolidBrush(layout.backColor)),
      nextButtonCommand_(kFirstButtonCommand) {
    outerSize_ = OuterSizeAt({layout.client.width, layout.client.height}, style_, kStandardDpi);
    const Point first = CentredOn(screen, {outerSize_.cx, outerSize_.cy});
    CreateWindowExW(0, kClassName, Widen(layout.caption).c_str(), style_, first.x, first.y,
                    outerSize_.cx, outerSize_.cy, nullptr, nullptr, platform.resources().instance(),
                    this);
    if (!hwnd_) {
        throw std::runtime_error("cannot create the window " + std::string(layout.name));
    }
}

// Making the form window fails after the native window exists: the native window goes before the
// error travels on, since reporting the error pumps messages that must not reach a window whose
// object is gone. A window unloaded as usual is destroyed already.
Win32Window::~Win32Window() {
    if (hwnd_) {
        platform_.Forget(hwnd_);
        DestroyNative();
    }
}

// Creating a captioned window asks its minimum size before the window knows its layout, and so
// widens it to the system's minimum (under Wine, 112 pixels with Wine 8's theme, 119 with Wine
// 10's). Placed again, it answers for itself (OnGetMinMaxInfo) and gets the layout's client size.
Point Win32Window::Place() {
    ScaleTo(DpiOf(hwnd_));
    const Point at = CentredOn(screen_, {outerSize_.cx, outerSize_.cy});
    SetWindowPos(hwnd_, nullptr, at.x, at.y, outerSize_.cx, outerSize_.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
    platform_.Adopt(hwnd_, *this);
    const Rect outer = OuterRect();
    return {outer.left, outer.top};
}

void Win32Window::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);  // WM_NCDESTROY forgets the handle
    }
}

void Win32Window::DestroyNative() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

// Sizes everything the DPI decides. The buttons take the new font before the old one goes.
void Win32Window::ScaleTo(int dpi) {
    const FormLayout& layout = layout_;
    dpi_ = dpi;
    scale_ = DpiScale::Of(layout.dpiScaling, dpi);
    const SIZE client{scale_.ToDevice(layout.client.width), scale_.ToDevice(layout.client.height)};
    outerSize_ = OuterSizeAt(client, style_, dpi);
    OwnedFont font(CreateLayoutFont(layout.font, scale_.dpi()));
    for (const auto& button : buttons_) {
        button->Place(scale_, font.get());
    }
    font_ = std::move(font);
    for (WindowlessControl* control : windowless_) {
        control->Rescale();
    }
    const Win32Resources& resources = platform_.resources();
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(resources.smallIcon(layout.icon, dpi)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(resources.bigIcon(layout.icon, dpi)));
}

// The frame the system really draws may differ from the one asked of it for the DPI (Wine keeps
// the system's): the outer window grows or shrinks by the difference, so that the client area is
// exactly the layout's at the window's scale.
void Win32Window::FitClientArea() {
    const Size wanted = layout_.client;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const LONG wider = scale_.ToDevice(wanted.width) - client.right;
    const LONG taller = scale_.ToDevice(wanted.height) - client.bottom;
    if (wider == 0 && taller == 0) {
        return;
    }
    outerSize_ = {outerSize_.cx + wider, outerSize_.cy + taller};
    SetWindowPos(hwnd_, nullptr, 0, 0, outerSize_.cx, outerSize_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::unique_ptr<NativePicture> Win32Window::AddPicture(const ControlLayout& control) {
    auto picture = std::make_unique<Win32Picture>(control, hwnd_, scale_,
                                                  platform_.resources().picture(control.picture));
    windowless_.push_back(picture.get());
    return picture;
}

std::unique_ptr<NativeLabel> Win32Window::AddLabel(const ControlLayout& control) {
    auto label = std::make_unique<Win32Label>(control, hwnd_, scale_,
                                              control.font ? *control.font : layout_.font);
    windowless_.push_back(label.get());
    return label;
}

void Win32Window::AddButton(const ControlLayout& control) {
    const int command = control.isDefault  ? IDOK
                        : control.isCancel ? IDCANCEL
                                           : nextButtonCommand_++;
    buttons_.push_back(std::make_unique<Win32Button>(control, hwnd_, command));
}

// A window with a timer gets the pointing devices' raw input, which tells its ticks of every move.
std::unique_ptr<NativeTimer> Win32Window::AddTimer(const ControlLayout& control) {
    const auto index = static_cast<UINT_PTR>(&control - layout_.controls.data());
    platform_.ListenToPointingDevices(hwnd_);
    return std::make_unique<Win32Timer>(hwnd_, kFirstTimerId + index);
}

const WindowlessControl* Win32Window::windowlessAt(ControlId control) const {
    for (const WindowlessControl* windowless : windowless_) {
        if (windowless->id() == control) {
            return windowless;
        }
    }
    return nullptr;
}

void Win32Window::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    BringWindowToTop(hwnd_);
    SetForegroundWindow(hwnd_);
}

void Win32Window::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::MoveOuter(Point place) {
    SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32Window::OuterRect() const {
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    return {outer.left, outer.top, outer.right, outer.bottom};
}

void Win32Window::GrabPointer() {
    SetCapture(hwnd_);
}

void Win32Window::ReleasePointer() {
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
}

POINT Win32Window::clientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    return origin;
}

POINT Win32Window::clientOffset() const {
    const Rect outer = OuterRect();
    const POINT origin = clientOrigin();
    return {origin.x - outer.left, origin.y - outer.top};
}

Point Win32Window::ScreenToClient(Point screen) const {
    const POINT origin = clientOrigin();
    return {screen.x - origin.x, screen.y - origin.y};
}

// The events get the exact place; the control is the one on the form pixel under the device pixel,
// so that a control's edge on the screen is the edge of its scaled pixels.
Win32Window::MousePlace Win32Window::MouseAt(POINT client) const {
    const ClientPoint pixel{static_cast<float>(scale_.FormPixelAt(client.x)),
                            static_cast<float>(scale_.FormPixelAt(client.y))};
    return {events_.ControlAt(pixel), {scale_.ToForm(client.x), scale_.ToForm(client.y)}};
}

// The outline is drawn for the layout's frame at the form's scale; the window keeps it to shape
// itself again when its scale changes.
void Win32Window::SetShape(std::span<const Point> outline, FillRule rule) {
    std::vector<POINT> corners;
    for (const Point& corner : outline) {
        corners.push_back({corner.x, corner.y});
    }
    formShape_.reset(::CreatePolygonRgn(corners.data(), static_cast<int>(corners.size()),
                                        rule == FillRule::Winding ? WINDING : ALTERNATE));
    ApplyShape(true);
}

// Each rectangle of the form's shape is scaled by itself, so that the shape's edge follows the
// scaled pixels exactly, as a polygon drawn at the larger size would not; it is moved to where
// this system's frame puts the client area, so that it keeps its place on the face under any theme.
int Win32Window::ApplyShape(bool redraw) const {
    if (!formShape_) {
        return 0;
    }
    const DWORD bytes = GetRegionData(formShape_.get(), 0, nullptr);
    std::vector<DWORD> buffer((bytes + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(formShape_.get(), bytes, data);
    const POINT offset = clientOffset();
    const Point design = layout_.clientOrigin;
    const auto toDevice = [&](const RECT& form) {
        const Rect client = scale_.ToDevice(Rect{form.left - design.x, form.top - design.y,
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

void Win32Window::SetStaysOnTop(bool on) {
    SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// Either button chooses an item, as in the system's context menus. A close request that arrives
// inside the menu's loop (from the taskbar, the window manager, the system shutting down) may
// unload the window; nothing of it is used after the loop then.
std::optional<std::string_view> Win32Window::PopupMenu(std::span<const PopupItem> items,
                                                       std::optional<ClientPoint> anchor) {
    OwnedMenu popup(CreatePopupMenu());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const UINT kind = items[i].caption == "-" ? MF_SEPARATOR : MF_STRING;
        AppendMenuW(popup.get(), kind | (items[i].checked ? MF_CHECKED : MF_UNCHECKED),
                    kFirstMenuCommand + i, Widen(items[i].caption).c_str());
    }
    POINT at{};
    if (anchor) {
        at = {scale_.ToDevice(anchor->x), scale_.ToDevice(anchor->y)};
        ClientToScreen(hwnd_, &at);
    } else {
        GetCursorPos(&at);
    }
    ReleasePointer();
    // A pop-up menu closes when the user clicks elsewhere only if its owner is in the foreground.
    SetForegroundWindow(hwnd_);
    const auto command = static_cast<UINT>(::TrackPopupMenu(
        popup.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        at.x, at.y, 0, hwnd_, nullptr));
    if (!events_.live()) {
        return std::nullopt;
    }
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (command < kFirstMenuCommand || command - kFirstMenuCommand >= items.size()) {
        return std::nullopt;
    }
    return items[command - kFirstMenuCommand].name;
}

// Windows suggests a rectangle scaled by the ratio of the two DPIs; a dialog takes its place, at a
// size worked out as at the start so that its client area is exactly the layout's scaled. A window
// scaled by whole factors keeps the point under the pointer where it is while a button is held on
// it (a drag), else its centre.
void Win32Window::Rescale(int dpi, const RECT& suggested) {
    const FormLayout& layout = layout_;
    const DpiScale before = scale_;
    const POINT origin = clientOrigin();
    std::optional<Point> pointer;
    if (GetCapture() == hwnd_) {
        POINT at{};
        GetCursorPos(&at);
        pointer = Point{at.x, at.y};
    }
    ScaleTo(dpi);
    events_.Rescaled();
    if (layout.dpiScaling == DpiScaling::Proportional) {
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outerSize_.cx, outerSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FitClientArea();
    } else {
        SetWindowPos(hwnd_, nullptr, 0, 0, outerSize_.cx, outerSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        FitClientArea();
        const POINT offset = clientOffset();
        // The monitor whose DPI it took holds the suggested rectangle.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& area = monitor.rcMonitor;
        const Point placed =
            RescaledPlace({.before = before,
                           .after = scale_,
                           .clientOrigin = {origin.x, origin.y},
                           .client = layout.client,
                           .pointer = pointer,
                           .clientOffset = {offset.x, offset.y},
                           .outer = {outerSize_.cx, outerSize_.cy},
                           .monitor = {area.left, area.top, area.right, area.bottom}});
        SetWindowPos(hwnd_, nullptr, placed.x, placed.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyShape(true);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace zorvin::win32
