#include "platform/common/form_picture.h"

#include <utility>

#include "platform/common/pixels.h"

namespace zorvin {

FormPicture::FormPicture(const ControlLayout& layout, std::unique_ptr<NativePicture> native,
                         const NativeWindow& window)
    : native_(std::move(native)),
      window_(window),
      left_(static_cast<float>(layout.left)),
      top_(static_cast<float>(layout.top)),
      width_(static_cast<float>(layout.width)),
      height_(static_cast<float>(layout.height)) {
    Place();
}

void FormPicture::setLeft(float left) {
    left_ = left;
    Place();
}

void FormPicture::setTop(float top) {
    top_ = top;
    Place();
}

void FormPicture::Place() {
    const DpiScale scale = window_.Scale();
    const Point device{scale.ToDevice(PixelOf(left_)), scale.ToDevice(PixelOf(top_))};
    if (shown_ != device) {
        shown_ = device;
        native_->MoveTo(device);
    }
}

}  // namespace zorvin
