#include "platform/common/screen_placement.h"

#include <algorithm>

namespace zorvin {
namespace {

std::int64_t SharedArea(const Rect& a, const Rect& b) {
    const std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

Size DesignedOuterSize(const FormLayout& layout) {
    const Point origin = layout.clientOrigin;
    return {layout.client.width + 2 * origin.x, layout.client.height + origin.y + origin.x};
}

Point CentredOn(const Rect& screen, Size outer) {
    return {screen.left + (screen.width() - outer.width) / 2,
            screen.top + (screen.height() - outer.height) / 2};
}

const Rect& ScreenHoldingMost(std::span<const Rect> screens, const std::optional<Rect>& window) {
    const Rect* best = &screens.front();
    if (!window) {
        return *best;
    }
    std::int64_t bestArea = 0;
    for (const Rect& screen : screens) {
        const std::int64_t area = SharedArea(screen, *window);
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    return *best;
}

}  // namespace zorvin
