// Prints what the system tells programs about the display, for the end-to-end tests to compare
// what they see with, one fact a line in device pixels:
//   frame LEFT TOP RIGHT BOTTOM   around a captioned window with a system menu that cannot be
//                                 resized, at the display's DPI
//   monitor LEFT TOP RIGHT BOTTOM each monitor, in the system's order
//   region LEFT TOP RIGHT BOTTOM  each rectangle of the region the system fills a polygon with, by
//                                 the alternate rule, when its corners are given as arguments
//                                 ("X,Y" each): what a window shaped by that polygon holds
// Wine draws such a frame inside the X window of a window without a frame from the window manager
// (a shaped one): the tests take it away to find the client area. The frame is the theme's, so it
// is asked for rather than assumed: Wine 10's caption is 7 pixels taller than Wine 8's at 96 DPI.
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

void Print(const char* fact, const RECT& rect) {
    std::printf("%s %ld %ld %ld %ld\n", fact, rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CALLBACK PrintMonitor(HMONITOR, HDC, RECT* rect, LPARAM) {
    Print("monitor", *rect);
    return TRUE;
}

void PrintRegion(int count, char** corners) {
    std::vector<POINT> polygon;
    for (int i = 0; i < count; ++i) {
        POINT corner{0, 0};
        std::sscanf(corners[i], "%ld,%ld", &corner.x, &corner.y);
        polygon.push_back(corner);
    }
    HRGN region = CreatePolygonRgn(polygon.data(), count, ALTERNATE);
    const DWORD bytes = GetRegionData(region, 0, nullptr);
    std::vector<DWORD> buffer((bytes + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(region, bytes, data);
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        Print("region", rects[i]);
    }
    DeleteObject(region);
}

}  // namespace

int main(int argc, char** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    RECT outer{0, 0, 0, 0};
    if (!AdjustWindowRectExForDpi(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0,
                                  GetDpiForSystem())) {
        std::fprintf(stderr, "display facts: AdjustWindowRectExForDpi failed\n");
        return 1;
    }
    Print("frame", {-outer.left, -outer.top, outer.right, outer.bottom});
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    if (argc > 1) {
        PrintRegion(argc - 1, argv + 1);
    }
    return 0;
}
