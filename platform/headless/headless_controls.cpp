#include "platform/headless/headless_controls.h"

namespace zorvin::headless {

HeadlessLabel::HeadlessLabel(const ControlLayout& layout)
    : origin_{static_cast<float>(layout.left), static_cast<float>(layout.top)},
      foreColor_(layout.foreColor),
      caption_(layout.caption) {}

bool HeadlessTimer::Due() {
    if (!period_ || due_ > clock_) {
        return false;
    }
    due_ += *period_;
    return true;
}

}  // namespace zorvin::headless
