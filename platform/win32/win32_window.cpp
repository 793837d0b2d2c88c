#include "platform/win32/win32_window.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "platform/common/input_values.h"
#include "platform/common/screen_placement.h"
#include "platform/win32/win32_dpi.h"
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

std::int16_t ButtonsHeld(WPARAM keys) {
    return ButtonSum((keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0, (keys & MK_MBUTTON) != 0);
}

std::int16_t ShiftState(WPARAM keys) {
    return ShiftSum((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0);
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

// The brush and fonts are owned from the start, so a failure anywhere frees them; a failure after
// the native window exists destroys it before the error travels on, since reporting the error
// pumps messages that must not reach a window whose object was never completed.
Win32Window::Win32Window(Win32Platform& platform, const FormLayout& layout, FormEvents& events)
    : platform_(platform),
      core_(layout, events, platform.ended(), *this),
      style_(StyleOf(layout)),
      scale_(ScaleAt(layout, kStandardDpi)),
      background_(CreateSolidBrush(layout.backColor)),
      nextButtonCommand_(kFirstButtonCommand),
      nextTimerId_(kFirstTimerId) {
    // Made first at its size for 96 DPI, centred on its screen, so that it is on the monitor whose
    // DPI it then takes; sized for that DPI after.
    const Rect screen = platform.ScreenForNewWindow();
    outerSize_ = OuterSizeAt({layout.client.width, layout.client.height}, style_, kStandardDpi);
    const Point first = CentredOn(screen, {outerSize_.cx, outerSize_.cy});
    CreateWindowExW(0, kClassName, Widen(layout.caption).c_str(), style_, first.x, first.y,
                    outerSize_.cx, outerSize_.cy, nullptr, nullptr, platform.resources().instance(),
                    this);
    if (!hwnd_) {
        throw std::runtime_error("cannot create the window " + std::string(layout.name));
    }
    try {
        BuildControls(layout, *this);
        CreateMenus();
        ScaleTo(DpiOf(hwnd_));
        // Creating a captioned window asks its minimum size before the window knows its layout,
        // and so widens it to the system's minimum (under Wine, 112 pixels with Wine 8's theme,
        // 119 with Wine 10's). Placed again, it answers for itself (OnGetMinMaxInfo) and gets the
        // layout's client size.
        const Point at = CentredOn(screen, {outerSize_.cx, outerSize_.cy});
        SetWindowPos(hwnd_, nullptr, at.x, at.y, outerSize_.cx, outerSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FitClientArea();
    } catch (...) {
        DestroyNative();
        throw;
    }
    platform_.Adopt(*this);
}

Win32Window::~Win32Window() {
    Unload();
}

void Win32Window::Unload() {
    core_.Unload();
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
    const FormLayout& layout = core_.layout();
    dpi_ = dpi;
    scale_ = ScaleAt(layout, dpi);
    const SIZE client{scale_.ToDevice(layout.client.width), scale_.ToDevice(layout.client.height)};
    outerSize_ = OuterSizeAt(client, style_, dpi);
    OwnedFont font(CreateLayoutFont(layout.font, scale_.dpi()));
    for (const auto& button : buttons_) {
        button->Place(scale_, font.get());
    }
    font_ = std::move(font);
    for (const auto& control : windowless_) {
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
    const Size wanted = core_.layout().client;
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

void Win32Window::AddPicture(const ControlLayout& control) {
    const ControlKey key{control.name, control.index};
    auto picture = std::make_unique<Win32Picture>(control, hwnd_, scale_,
                                                  platform_.resources().picture(control.picture));
    pictures_.emplace(key, picture.get());
    windowlessByKey_.emplace(key, picture.get());
    windowless_.push_back(std::move(picture));
}

void Win32Window::AddLabel(const ControlLayout& control) {
    const ControlKey key{control.name, control.index};
    auto label = std::make_unique<Win32Label>(control, hwnd_, scale_,
                                              control.font ? *control.font : core_.layout().font);
    labels_.emplace(key, label.get());
    windowlessByKey_.emplace(key, label.get());
    windowless_.push_back(std::move(label));
}

void Win32Window::AddButton(const ControlLayout& control) {
    const int command = control.isDefault  ? IDOK
                        : control.isCancel ? IDCANCEL
                                           : nextButtonCommand_++;
    buttons_.push_back(std::make_unique<Win32Button>(control, hwnd_, command));
}

// A window with a timer gets the mouse's raw input, which tells its ticks of every move.
void Win32Window::AddTimer(const ControlLayout& control) {
    timers_.push_back(
        std::make_unique<Win32Timer>(control, hwnd_, nextTimerId_++, platform_.watchingChanges()));
    platform_.ListenToMouse(hwnd_);
}

void Win32Window::Change() {
    for (const auto& timer : timers_) {
        timer->Change();
    }
}

void Win32Window::WatchChanges() {
    for (const auto& timer : timers_) {
        timer->WatchChanges();
    }
}

// Each top-level menu becomes a pop-up of its visible items; the check marks of the items shown
// are kept by the system's menu, those of the others by their item objects.
void Win32Window::CreateMenus() {
    const FormLayout& layout = core_.layout();
    for (const MenuLayout& top : layout.menu) {
        if (top.level != 0) {
            continue;
        }
        OwnedMenu popup(CreatePopupMenu());
        for (const MenuLayout* item : PopupItems(layout, top.name)) {
            const auto command = static_cast<UINT>(kFirstMenuCommand + (item - layout.menu.data()));
            const UINT kind = item->caption == "-" ? MF_SEPARATOR : MF_STRING;
            AppendMenuW(popup.get(), kind | (item->checked ? MF_CHECKED : MF_UNCHECKED), command,
                        Widen(item->caption).c_str());
            menuItems_.emplace(item->name,
                               std::make_unique<Win32MenuItem>(popup.get(), command, false));
        }
        popups_.emplace_back(top.name, std::move(popup));
    }
    for (const MenuLayout& item : layout.menu) {
        menuItems_.emplace(item.name, std::make_unique<Win32MenuItem>(nullptr, 0, item.checked));
    }
}

Hwnd Win32Window::hWnd() const {
    return FromHwnd(hwnd_);
}

float Win32Window::Left() const {
    return core_.Position(Shown()).left;
}

void Win32Window::setLeft(float left) {
    core_.AskLeft(left, Shown());
}

float Win32Window::Top() const {
    return core_.Position(Shown()).top;
}

void Win32Window::setTop(float top) {
    core_.AskTop(top, Shown());
}

// In the form's pixels, fraction kept, so that a place read and asked again is the same device
// pixel.
OuterPosition Win32Window::Shown() const {
    const RECT outer = outerRect();
    return {scale_.ToForm(outer.left), scale_.ToForm(outer.top)};
}

RECT Win32Window::outerRect() const {
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    return outer;
}

void Win32Window::MoveOuter(OuterPosition position) {
    SetWindowPos(hwnd_, nullptr, scale_.ToDevice(position.left), scale_.ToDevice(position.top), 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ClientPoint Win32Window::ControlOrigin(ControlId control) const {
    return windowlessByKey_.at(ControlKey{control.name, control.index})->origin();
}

void Win32Window::GrabPointer() {
    SetCapture(hwnd_);
}

void Win32Window::ReleasePointer() {
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
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

// The events get the exact place; the control is the one on the form pixel under the device pixel,
// so that a control's edge on the screen is the edge of its scaled pixels.
Win32Window::MousePlace Win32Window::PlaceOf(POINT client) const {
    const ClientPoint pixel{static_cast<float>(scale_.FormPixelAt(client.x)),
                            static_cast<float>(scale_.FormPixelAt(client.y))};
    return {core_.ControlAt(pixel), {scale_.ToForm(client.x), scale_.ToForm(client.y)}};
}

int Win32Window::SetRegion(HRGN formRegion, bool redraw) {
    if (formRegion != formRegion_.get()) {
        formRegion_.reset(formRegion);
    }
    return ApplyRegion(redraw);
}

// Each rectangle of the form's region is scaled by itself, so that the shape's edge follows the
// scaled pixels exactly, as a polygon drawn at the larger size would not.
int Win32Window::ApplyRegion(bool redraw) const {
    if (!formRegion_) {
        return 0;
    }
    const DWORD bytes = GetRegionData(formRegion_.get(), 0, nullptr);
    std::vector<DWORD> buffer((bytes + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(formRegion_.get(), bytes, data);
    const POINT offset = clientOffset();
    const Point design = core_.layout().clientOrigin;
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

// Either button chooses an item, as in the system's context menus. A close request that arrives
// inside the menu's loop (from the taskbar, the window manager, the system shutting down) may
// unload the window; nothing of it is used after the loop then.
std::optional<ControlId> Win32Window::TrackPopupMenu(std::string_view menu) {
    HMENU popup = nullptr;
    for (const auto& [name, handle] : popups_) {
        if (name == menu) {
            popup = handle.get();
        }
    }
    if (!popup) {
        throw std::out_of_range("no menu " + std::string(menu));
    }
    POINT at{};
    if (const std::optional<ClientPoint> anchor = core_.popupAnchor()) {
        at = {scale_.ToDevice(anchor->x), scale_.ToDevice(anchor->y)};
        ClientToScreen(hwnd_, &at);
    } else {
        GetCursorPos(&at);
    }
    // The menu takes the mouse: the press that opened it holds it no more.
    core_.LoseGrab();
    if (!core_.live()) {
        return std::nullopt;
    }
    ReleasePointer();
    // A pop-up menu closes when the user clicks elsewhere only if its owner is in the foreground.
    SetForegroundWindow(hwnd_);
    const auto command = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, hwnd_, nullptr));
    if (!core_.live()) {
        return std::nullopt;
    }
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    const auto& items = core_.layout().menu;
    if (command < kFirstMenuCommand || command - kFirstMenuCommand >= items.size()) {
        return std::nullopt;
    }
    return ControlId{items[command - kFirstMenuCommand].name};
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
            // Another window took the mouse (a menu, Alt+Tab, a system prompt) with buttons held.
            core_.LoseGrab();
            return 0;
        case WM_CANCELMODE:
            core_.LoseGrab();
            break;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
                return TRUE;
            }
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_INPUT:
            platform_.MouseInput();
            break;  // the system frees the input's data
        case WM_WINDOWPOSCHANGED:
        case WM_DISPLAYCHANGE:
            platform_.Changed();
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case DM_GETDEFID:
            return OnGetDefId();
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(background_.get());
        case WM_CLOSE:
            core_.CaptionClose();
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
    FillRect(buffer, &client, background_.get());
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
    const MousePlace place = PlaceOf(PointOf(lParam));
    core_.Press(place.control, button, ShiftState(wParam), place.at);
}

void Win32Window::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const MousePlace place = PlaceOf(PointOf(lParam));
    core_.Move(place.control, ButtonsHeld(wParam), ShiftState(wParam), place.at);
}

void Win32Window::OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    const MousePlace place = PlaceOf(PointOf(lParam));
    core_.Release(place.control, button, ShiftState(wParam), place.at);
}

// Shift+F10 and the Menu key come with no position; a right press opens the menu by itself.
void Win32Window::OnContextMenu(LPARAM lParam) {
    if (lParam == -1) {
        core_.KeyboardContextMenu();
    }
}

bool Win32Window::OnSetCursor(HWND under, UINT hitTest) {
    if (under != hwnd_ || hitTest != HTCLIENT) {
        return false;
    }
    POINT at{};
    GetCursorPos(&at);
    ::ScreenToClient(hwnd_, &at);
    const std::optional<ControlId> control = PlaceOf(at).control;
    const MousePointer pointer =
        control ? windowlessByKey_.at(ControlKey{control->name, control->index})->pointer()
                : MousePointer::Default;
    SetCursor(platform_.resources().cursor(pointer, dpi_));
    return true;
}

void Win32Window::OnTimer(UINT_PTR timerId) {
    for (const auto& timer : timers_) {
        if (timer->timerId() == timerId) {
            if (timer->Fire()) {
                core_.Tick(timer->id());
            }
            return;
        }
    }
}

void Win32Window::OnCommand(int commandId, int notification) {
    if (notification != BN_CLICKED) {
        return;
    }
    if (const Win32Button* button = ButtonFor(commandId)) {
        core_.Click(button->id());
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

// The layout's size is the smallest the window may be, however narrow the system likes captioned
// windows.
void Win32Window::OnGetMinMaxInfo(MINMAXINFO& limits) const {
    DefWindowProcW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    limits.ptMinTrackSize = {outerSize_.cx, outerSize_.cy};
}

// The window moved to a monitor of another DPI, or the DPI changed. Windows suggests a rectangle
// scaled by the ratio of the two; a dialog takes its place, at a size worked out as at the start
// so that its client area is exactly the layout's scaled. A window scaled by whole factors keeps
// the point under the pointer where it is while a button is held on it (a drag), else its centre.
void Win32Window::OnDpiChanged(int dpi, const RECT& suggested) {
    const FormLayout& layout = core_.layout();
    const DpiScale before = scale_;
    const POINT origin = clientOrigin();
    POINT anchor{origin.x + before.ToDevice(layout.client.width) / 2,
                 origin.y + before.ToDevice(layout.client.height) / 2};
    if (GetCapture() == hwnd_) {
        GetCursorPos(&anchor);
    }
    ScaleTo(dpi);
    if (layout.dpiScaling == DpiScaling::Proportional) {
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outerSize_.cx, outerSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FitClientArea();
    } else {
        SetWindowPos(hwnd_, nullptr, 0, 0, outerSize_.cx, outerSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        FitClientArea();
        const Point kept =
            RescaledOrigin({origin.x, origin.y}, {anchor.x, anchor.y}, before, scale_);
        const POINT offset = clientOffset();
        const PixelRect outer{kept.x - offset.x, kept.y - offset.y,
                              kept.x - offset.x + outerSize_.cx, kept.y - offset.y + outerSize_.cy};
        // Mostly on the monitor whose DPI it took, which holds the suggested rectangle.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitor);
        const PixelRect placed =
            MiddleOnMonitor(outer, {monitor.rcMonitor.left, monitor.rcMonitor.top,
                                    monitor.rcMonitor.right, monitor.rcMonitor.bottom});
        SetWindowPos(hwnd_, nullptr, placed.left, placed.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyRegion(true);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32Window::OnNcDestroy() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    platform_.Forget(*this);
    core_.Unload();
    hwnd_ = nullptr;
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
