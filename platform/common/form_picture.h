// A picture as the forms read and write it: its place kept with its fraction, shown at the device
// pixel it falls on (PixelOf), scaled as its window is now. The native picture moves, and so
// repaints, only when that pixel changes: a picture of a window scaled by a whole factor stays on
// whole blocks, and a pupil set to where it already shows costs the window system nothing.
#pragma once

#include <memory>
#include <optional>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/common/native_window.h"

namespace zorvin {

class FormPicture final : public PictureBox {
  public:
    // `window` tells the scale the picture is shown at.
    FormPicture(const ControlLayout& layout, std::unique_ptr<NativePicture> native,
                const NativeWindow& window);

    float Left() const override { return left_; }
    void setLeft(float left) override;
    float Top() const override { return top_; }
    void setTop(float top) override;
    float Width() const override { return width_; }
    float Height() const override { return height_; }

    // Shows the picture at its pixel at the window's scale now.
    void Place();

  private:
    std::unique_ptr<NativePicture> native_;
    const NativeWindow& window_;
    float left_;
    float top_;
    float width_;
    float height_;
    std::optional<Point> shown_;
};

}  // namespace zorvin
