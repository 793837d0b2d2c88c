#include "platform/qt/pointer/hyprland_pointer.h"

namespace zorvin::qt {

std::unique_ptr<HyprlandPointer> HyprlandPointer::OfSession(int /*tickMs*/) {
    return nullptr;
}

}  // namespace zorvin::qt
