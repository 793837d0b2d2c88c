// Prints what the system tells programs about the display, for the end-to-end tests to compare
// what they see with, one fact a line in device pixels:
//   frame LEFT TOP RIGHT BOTTOM   around a captioned window with a system menu that cannot be
//                                 resized, at the display's DPI
//   monitor LEFT TOP RIGHT BOTTOM each monitor, in the system's order
// Wine draws such a frame inside the X window of a window without a frame from the window manager
// (a shaped one): the tests take it away to find the client area. The frame is the theme's, so it
// is asked for rather than assumed: Wine 10's caption is 7 pixels taller than Wine 8's at 96 DPI.
#include <windows.h>

#include <cstdio>

namespace {

void Print(const char* fact, const RECT& rect) {
    std::printf("%s %ld %ld %ld %ld\n", fact, rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CALLBACK PrintMonitor(HMONITOR, HDC, RECT* rect, LPARAM) {
    Print("monitor", *rect);
    return TRUE;
}

}  // namespace

int main() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    RECT outer{0, 0, 0, 0};
    if (!AdjustWindowRectExForDpi(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0,
                                  GetDpiForSystem())) {
        std::fprintf(stderr, "display facts: AdjustWindowRectExForDpi failed\n");
        return 1;
    }
    Print("frame", {-outer.left, -outer.top, outer.right, outer.bottom});
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    return 0;
}
