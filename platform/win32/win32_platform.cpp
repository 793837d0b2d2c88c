#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zorvin::win32 {
namespace {

// Wine's raw input comes for the moves over any Wine program's windows, and for none over the
// desktop's other windows: it tells of some moves, never of all. Which windows moves came over
// proves nothing, so the answer is taken from what is certain: ntdll's own export, or, where
// Wine's HideWineExports option hides that from programs, the key every Wine prefix has in its
// registry. A Windows that has the key for some other reason only ticks as a plain timer would.
bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr) {
        return true;
    }
    HKEY wine = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Wine", 0, KEY_QUERY_VALUE, &wine) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(wine);
    return true;
}

}  // namespace

Win32Platform::Win32Platform(DesktopEvents& desktop, HINSTANCE instance)
    : resources_(instance), desktop_(desktop), rawInputTellsEveryMove_(!UnderWine()) {
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

std::unique_ptr<NativeWindow> Win32Platform::NewWindow(WindowEvents& events,
                                                       const FormLayout& layout,
                                                       const Rect& screen) {
    return std::make_unique<Win32Window>(*this, events, layout, screen);
}

// Windows repaint before any pending message runs: a fast drag nests DoEvents deeply, each level
// dispatching the next move, and the queue's repaints, which come only once it is empty, would
// wait for the whole drag.
void Win32Platform::ProcessEvents() {
    for (const auto& [hwnd, window] : windows_) {
        UpdateWindow(hwnd);
    }
    MSG message{};
    while (!desktop_.ended() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
            return;
        }
        Dispatch(message);
    }
}

void Win32Platform::Quit() {
    PostQuitMessage(0);
}

Point Win32Platform::CursorPosition() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

// The forms' text is UTF-8, which the "A" function would read in the system's code page: an
// address with a "ü" is handed over widened, as written.
bool Win32Platform::Open(std::string_view document) {
    const auto result = reinterpret_cast<std::intptr_t>(::ShellExecuteW(
        nullptr, L"open", Widen(document).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::vector<Rect> Win32Platform::Screens() const {
    std::vector<Rect> screens;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            GetMonitorInfoW(monitor, &info);
            const RECT& at = info.rcMonitor;
            auto& list = *reinterpret_cast<std::vector<Rect>*>(found);
            list.push_back({at.left, at.top, at.right, at.bottom});
            if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
                std::swap(list.front(), list.back());
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&screens));
    if (screens.empty()) {
        screens.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    }
    return screens;
}

void Win32Platform::Adopt(HWND hwnd, Win32Window& window) {
    windows_[hwnd] = &window;
}

void Win32Platform::Forget(HWND hwnd) {
    windows_.erase(hwnd);
}

// A window with push buttons takes Enter, Escape and Tab as a dialog box does.
void Win32Platform::Dispatch(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto window = windows_.find(root);
    if (window != windows_.end() && window->second->takesDialogKeys() &&
        IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// A touch screen's or a pen's moves of the cursor come as their HID digitizer's raw input, not the
// mouse's. Each kind is registered on its own, so that a kind the system refuses cannot take the
// mouse's with it: the ticks sleep once the mouse's stands, whatever became of the others.
void Win32Platform::ListenToPointingDevices(HWND hwnd) {
    if (!rawInputTellsEveryMove_) {
        return;
    }
    constexpr USHORT kGenericDesktopControls = 0x01;
    constexpr USHORT kMouse = 0x02;
    constexpr USHORT kDigitizers = 0x0D;
    constexpr USHORT kPen = 0x02;
    constexpr USHORT kTouchScreen = 0x04;
    const auto listen = [hwnd](USHORT page, USHORT usage) {
        const RAWINPUTDEVICE device{page, usage, RIDEV_INPUTSINK, hwnd};
        return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
    };
    if (listen(kGenericDesktopControls, kMouse)) {
        desktop_.WatchChanges(UntoldChanges::TimersLook);
    }
    listen(kDigitizers, kTouchScreen);
    listen(kDigitizers, kPen);
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
