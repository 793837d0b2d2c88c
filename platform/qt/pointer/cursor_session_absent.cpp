// For systems whose Wayland protocols predate cursor sessions (wayland-protocols before 1.37):
// the build leaves the source out, and under Wayland X11 tells where it can.
#include "platform/qt/pointer/cursor_session.h"

namespace zorvin::qt {

std::unique_ptr<PointerSource> OpenCursorSession(
    const std::function<void(const char* why)>& /*unavailable*/) {
    return nullptr;
}

}  // namespace zorvin::qt
