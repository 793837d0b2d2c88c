// The system functions the forms call by name, with the arguments they pass.
//
// One place (platform/common/system_calls.cpp) turns each call into the plain operations of the
// window it names, which each backend carries out. Results are returned as the system would give
// them; the forms do not look at them.
#pragma once

#include <cstdint>

#include "platform/api/types.h"

namespace zorvin {

class SystemApi {
  public:
    virtual ~SystemApi() = default;

    // A region covering the polygon through `count` points, filled by `fillMode` (ALTERNATE or
    // WINDING).
    virtual Hrgn CreatePolygonRgn(const Point* points, std::int32_t count,
                                  std::int32_t fillMode) = 0;
    // Only the region, in window coordinates, stays visible and receives the mouse. The system owns
    // the region from then on.
    virtual std::int32_t SetWindowRgn(Hwnd hwnd, Hrgn region, bool redraw) = 0;
    virtual bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                              std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
    // The cursor's position in screen pixels.
    virtual bool GetCursorPos(Point& point) = 0;
    // Converts a screen point in place to the window's client pixels.
    virtual bool ScreenToClient(Hwnd hwnd, Point& point) = 0;
    // Hands `file` to the system's handler for `operation`. Null `parameters` and `directory` mean
    // none.
    virtual std::intptr_t ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                        const char* parameters, const char* directory,
                                        std::int32_t showCmd) = 0;
};

}  // namespace zorvin
