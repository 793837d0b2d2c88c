#include "platform/qt/compositor_position.h"

#include <cmath>

namespace zorvin::qt {
namespace {

int Scale(int value, int to, int from) {
    if (from <= 0 || to == from) {
        return value;
    }
    return static_cast<int>(std::lround(static_cast<double>(value) * to / from));
}

}  // namespace

QPoint ToDesktop(const CompositorPosition& position, QSize desktop) {
    return {Scale(position.x, desktop.width(), position.width),
            Scale(position.y, desktop.height(), position.height)};
}

}  // namespace zorvin::qt
