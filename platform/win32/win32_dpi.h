// The display's DPI as Windows reports it, on every Windows the program runs on. Functions that
// came with Windows 10 are looked up when the program runs, so that it still starts on older
// systems, which report the system's DPI for every window instead.
#pragma once

#include <windows.h>

namespace zorvin::win32 {

// Asks to be aware of each monitor's DPI, or else of the system's, where the manifest was not
// heeded. A system that refuses (Wine refuses per-monitor awareness) leaves a hint, not an error.
void RequestDpiAwareness();

// The DPI of the monitor the window is on; for no window, the system's.
int DpiOf(HWND hwnd);

// A system metric (a size of icons, pointers, frames) at `dpi`.
int MetricAt(int index, int dpi);

// The outer window's size for a client area of `client` with the style's frame at `dpi`.
SIZE OuterSizeAt(SIZE client, DWORD style, int dpi);

}  // namespace zorvin::win32
