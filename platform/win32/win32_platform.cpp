#include "platform/win32/win32_platform.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zorvin::win32 {
namespace {

// Where the pointer was when the input message being handled was posted, with no button held
// then: the state of that moment, not of when the message is handled, which may be after a drag
// has ended and the pointer has left.
std::optional<POINT> FreePointerOfMessage() {
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
        if (GetKeyState(button) < 0) {
            return std::nullopt;
        }
    }
    if (GetCapture()) {
        return std::nullopt;
    }
    const DWORD at = GetMessagePos();
    return POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

bool OverAnotherProgram(POINT at) {
    DWORD process = 0;
    GetWindowThreadProcessId(WindowFromPoint(at), &process);
    return process != GetCurrentProcessId();
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : resources_(instance) {
    RequestDpiAwareness();
    Win32Window::RegisterWindowClass(instance);
}

int Win32Platform::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

std::unique_ptr<Window> Win32Platform::createWindow(const FormLayout& layout, FormEvents& events) {
    return std::make_unique<Win32Window>(*this, layout, events);
}

void Win32Platform::Show(Window& window) {
    HWND hwnd = static_cast<Win32Window&>(window).handle();
    ShowWindow(hwnd, SW_SHOW);
    BringWindowToTop(hwnd);
    SetForegroundWindow(hwnd);
}

// Windows move to the places asked for and repaint before any pending message runs: a fast drag
// nests DoEvents deeply, each level dispatching the next move, and the queue's repaints, which come
// only once it is empty, would wait for the whole drag.
void Win32Platform::DoEvents() {
    std::vector<Win32Window*> open;
    for (const auto& [hwnd, window] : windows_) {
        open.push_back(window);
    }
    for (Win32Window* window : open) {
        window->core().ApplyAskedMove();
    }
    for (const auto& [hwnd, window] : windows_) {
        UpdateWindow(hwnd);
    }
    MSG message{};
    while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
            return;
        }
        Dispatch(message);
    }
}

void Win32Platform::PopupMenu(Window& window, std::string_view menu) {
    auto& owner = static_cast<Win32Window&>(window);
    if (const std::optional<ControlId> chosen = owner.TrackPopupMenu(menu)) {
        owner.core().Click(*chosen);
    }
}

void Win32Platform::End() {
    if (ended_) {
        return;
    }
    ended_ = true;
    std::vector<Win32Window*> open;
    for (const auto& [hwnd, window] : windows_) {
        open.push_back(window);
    }
    for (Win32Window* window : open) {
        window->Unload();
    }
    PostQuitMessage(0);
}

Hrgn Win32Platform::CreatePolygonRgn(const Point* points, std::int32_t count,
                                     std::int32_t fillMode) {
    std::vector<POINT> corners;
    for (std::int32_t i = 0; i < count; ++i) {
        corners.push_back({points[i].x, points[i].y});
    }
    return FromHrgn(::CreatePolygonRgn(corners.data(), count, fillMode));
}

// The region is drawn for the layout's frame at the form's scale; the form's window scales it and
// moves it to where this system's frame puts the client area, so that it keeps its place on the
// face.
std::int32_t Win32Platform::SetWindowRgn(Hwnd hwnd, Hrgn region, bool redraw) {
    if (Win32Window* window = windowOf(ToHwnd(hwnd))) {
        return window->SetRegion(ToHrgn(region), redraw);
    }
    return ::SetWindowRgn(ToHwnd(hwnd), ToHrgn(region), redraw ? TRUE : FALSE);
}

bool Win32Platform::SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                                 std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(hwnd), ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

bool Win32Platform::GetCursorPos(Point& point) {
    POINT cursor{};
    const BOOL done = ::GetCursorPos(&cursor);
    point = {cursor.x, cursor.y};
    return done != FALSE;
}

// The cursor stays in device pixels, so that the one rounding to the form's pixels happens here.
bool Win32Platform::ScreenToClient(Hwnd hwnd, Point& point) {
    if (const Win32Window* window = windowOf(ToHwnd(hwnd))) {
        point = window->ScreenToClient(point);
        return true;
    }
    POINT converted{point.x, point.y};
    const BOOL done = ::ScreenToClient(ToHwnd(hwnd), &converted);
    point = {converted.x, converted.y};
    return done != FALSE;
}

// The forms' text is UTF-8, which the "A" function would read in the system's code page: an
// address with a "ü" is handed over widened, as written.
std::intptr_t Win32Platform::ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                           const char* parameters, const char* directory,
                                           std::int32_t showCmd) {
    if (Win32Window* window = windowOf(ToHwnd(hwnd)); window && !window->core().mayOpen()) {
        return kOpenRefused;
    }
    const auto wide = [](const char* text) {
        return text ? std::optional<std::wstring>(Widen(text)) : std::nullopt;
    };
    const std::optional<std::wstring> wideOperation = wide(operation);
    const std::optional<std::wstring> wideFile = wide(file);
    const std::optional<std::wstring> wideParameters = wide(parameters);
    const std::optional<std::wstring> wideDirectory = wide(directory);
    const auto text = [](const std::optional<std::wstring>& value) {
        return value ? value->c_str() : nullptr;
    };
    return reinterpret_cast<std::intptr_t>(::ShellExecuteW(ToHwnd(hwnd), text(wideOperation),
                                                           text(wideFile), text(wideParameters),
                                                           text(wideDirectory), showCmd));
}

Rect Win32Platform::ScreenForNewWindow() const {
    std::vector<Rect> screens;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            GetMonitorInfoW(monitor, &info);
            const RECT& at = info.rcMonitor;
            auto& list = *reinterpret_cast<std::vector<Rect>*>(found);
            list.push_back({at.left, at.top, at.right - at.left, at.bottom - at.top});
            if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
                std::swap(list.front(), list.back());
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&screens));
    if (screens.empty()) {
        screens.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    }
    std::optional<Rect> loaded;
    if (!windows_.empty()) {
        const RECT outer = windows_.begin()->second->outerRect();
        loaded = Rect{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
    }
    return ScreenHoldingMost(screens, loaded);
}

void Win32Platform::Adopt(Win32Window& window) {
    windows_[window.handle()] = &window;
}

void Win32Platform::Forget(Win32Window& window) {
    windows_.erase(window.handle());
}

// A window with push buttons takes Enter, Escape and Tab as a dialog box does.
void Win32Platform::Dispatch(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const Win32Window* window = windowOf(root);
    if (window && window->takesDialogKeys() && IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Platform::ListenToMouse(HWND hwnd) {
    constexpr USHORT kGenericDesktopControls = 0x01;
    constexpr USHORT kMouse = 0x02;
    const RAWINPUTDEVICE mouse{kGenericDesktopControls, kMouse, RIDEV_INPUTSINK, hwnd};
    RegisterRawInputDevices(&mouse, 1, sizeof mouse);
}

// A move from one place over another program's windows to another such place, with no button
// held and no capture (which bring the moves of a drag or a menu anywhere), shows that every move
// is told. One move alone does not: the move that leaves the program's own windows is told even
// where the moves beyond them are not (Wine).
void Win32Platform::MouseInput() {
    const std::optional<POINT> at = FreePointerOfMessage();
    const bool outside = at && OverAnotherProgram(*at);
    const bool movedOutside =
        outside && lastInputOutside_ && (at->x != lastInputAt_.x || at->y != lastInputAt_.y);
    lastInputOutside_ = outside;
    if (at) {
        lastInputAt_ = *at;
    }
    if (!watching_ && movedOutside) {
        watching_ = true;
        for (const auto& [hwnd, window] : windows_) {
            window->WatchChanges();
        }
    }
    Changed();
}

void Win32Platform::Changed() {
    for (const auto& [hwnd, window] : windows_) {
        window->Change();
    }
}

Win32Window* Win32Platform::windowOf(HWND hwnd) const {
    const auto found = windows_.find(hwnd);
    return found == windows_.end() ? nullptr : found->second;
}

// Also written to the standard error stream, which a GUI program has only where something reads
// it (Wine passes it on); without a display the message box cannot show.
void EndWithRunTimeError(const std::exception& error) {
    std::fprintf(stderr, "Zorvin: %s\n", error.what());
    std::fflush(stderr);
    MessageBoxW(nullptr, Widen(error.what()).c_str(), L"Zorvin", MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

}  // namespace zorvin::win32
