// Prints the frame the system puts around a captioned window with a system menu that cannot be
// resized, at the display's DPI, as "left top right bottom" in device pixels. Wine draws such a
// frame inside the X window of a window without a frame from the window manager (a shaped one):
// the end-to-end tests take it away to find the client area. The frame is the theme's, so it is
// asked for rather than assumed: Wine 10's caption is 7 pixels taller than Wine 8's at 96 DPI.
#include <windows.h>

#include <cstdio>

int main() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    RECT outer{0, 0, 0, 0};
    if (!AdjustWindowRectExForDpi(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0,
                                  GetDpiForSystem())) {
        std::fprintf(stderr, "caption frame: AdjustWindowRectExForDpi failed\n");
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", -outer.left, -outer.top, outer.right, outer.bottom);
    return 0;
}
