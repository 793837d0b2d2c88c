#include "platform/headless/headless_controls.h"

#include "platform/common/pixels.h"

namespace zorvin::headless {

HeadlessPicture::HeadlessPicture(const ControlLayout& layout)
    : left_(static_cast<float>(layout.left)),
      top_(static_cast<float>(layout.top)),
      width_(static_cast<float>(layout.width)),
      height_(static_cast<float>(layout.height)) {}

float HeadlessPicture::Left() const {
    ++accesses_;
    return left_;
}

void HeadlessPicture::setLeft(float left) {
    ++accesses_;
    left_ = left;
}

float HeadlessPicture::Top() const {
    ++accesses_;
    return top_;
}

void HeadlessPicture::setTop(float top) {
    ++accesses_;
    top_ = top;
}

float HeadlessPicture::Width() const {
    ++accesses_;
    return width_;
}

float HeadlessPicture::Height() const {
    ++accesses_;
    return height_;
}

Point HeadlessPicture::shownAt() const {
    return {PixelOf(left_), PixelOf(top_)};
}

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
