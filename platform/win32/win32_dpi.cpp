#include "platform/win32/win32_dpi.h"

#include "platform/win32/user32_function.h"

namespace zorvin::win32 {
namespace {

using SetProcessDpiAwarenessContextFunction = BOOL WINAPI(DPI_AWARENESS_CONTEXT);
using GetDpiForWindowFunction = UINT WINAPI(HWND);
using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

// Only for a process still unaware, so that nothing can take a manifest's per-monitor awareness
// down to the system's.
void RequestDpiAwareness() {
    if (IsProcessDPIAware()) {
        return;
    }
    const auto setContext =
        User32Function<SetProcessDpiAwarenessContextFunction>("SetProcessDpiAwarenessContext");
    if (setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        return;
    }
    SetProcessDPIAware();
}

int DpiOf(HWND hwnd) {
    static const auto forWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (hwnd && forWindow) {
        if (const UINT dpi = forWindow(hwnd)) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int MetricAt(int index, int dpi) {
    static const auto forDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

SIZE OuterSizeAt(SIZE client, DWORD style, int dpi) {
    static const auto forDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, client.cx, client.cy};
    if (!forDpi || !forDpi(&outer, style, FALSE, 0, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&outer, style, FALSE, 0);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace zorvin::win32
