// The form runtime and the system functions, written once over a backend's plain operations
// (native_window.h). The system functions keep the names and arguments the forms call them with;
// here each becomes the operations it stands for, with the handles the forms pass looked up.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/api/platform.h"
#include "platform/common/native_window.h"
#include "platform/common/polygon_fill.h"
#include "platform/common/window_registry.h"

namespace zorvin {

class FormPlatform final : public Platform {
  public:
    // `system` tells `registry` of the changes ticks read and of its windows' events.
    FormPlatform(WindowRegistry& registry, WindowSystem& system)
        : registry_(registry), system_(system) {}

    // FormRuntime
    std::unique_ptr<Window> Load(const FormLayout& layout, FormEvents& events) override;
    void Show(Window& window) override;
    void DoEvents() override;
    void PopupMenu(Window& window, std::string_view menu) override;
    void End() override;

    // SystemApi (system_calls.cpp)
    Hrgn CreatePolygonRgn(const Point* points, std::int32_t count, std::int32_t fillMode) override;
    std::int32_t SetWindowRgn(Hwnd hwnd, Hrgn region, bool redraw) override;
    bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                      std::int32_t cy, std::uint32_t flags) override;
    bool GetCursorPos(Point& point) override;
    bool ScreenToClient(Hwnd hwnd, Point& point) override;
    std::intptr_t ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                std::int32_t showCmd) override;

  private:
    struct Region {
        std::vector<Point> outline;
        FillRule rule = FillRule::EvenOdd;
    };

    WindowRegistry& registry_;
    WindowSystem& system_;
    // Where the last GetCursorPos found the pointer.
    std::optional<Point> lastCursor_;
    // Regions made and not yet given to a window.
    std::map<Hrgn, Region> regions_;
    Hrgn nextRegion_ = 1;
};

}  // namespace zorvin
