// The controls of a headless window: their properties kept in memory, with a count of every read
// and write so that a test can tell whether anything touched them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/common/gated_timer.h"
#include "platform/common/native_window.h"
#include "platform/form_runtime.h"
#include "platform/layout.h"

namespace zorvin::headless {

class HeadlessPicture final : public PictureBox {
  public:
    explicit HeadlessPicture(const ControlLayout& layout);

    float Left() const override;
    void setLeft(float left) override;
    float Top() const override;
    void setTop(float top) override;
    float Width() const override;
    float Height() const override;

    // Reads and writes of any property so far.
    int accesses() const { return accesses_; }
    // The place the window system shows it at: positions are fractional, pixels whole.
    Point shownAt() const;

  private:
    float left_;
    float top_;
    float width_;
    float height_;
    mutable int accesses_ = 0;
};

class HeadlessLabel final : public NativeLabel {
  public:
    explicit HeadlessLabel(const ControlLayout& layout);

    ClientPoint Origin() const override { return origin_; }
    Colour ForeColor() const override { return foreColor_; }
    void setForeColor(Colour colour) override { foreColor_ = colour; }
    std::string Caption() const override { return caption_; }
    void setCaption(std::string_view caption) override { caption_ = caption; }

  private:
    ClientPoint origin_;
    Colour foreColor_;
    std::string caption_;
};

// Its native timer is armed or not; each period of it (HeadlessPlatform::tick) fires an armed one.
class HeadlessTimer final : public GatedTimer {
  public:
    bool armed() const { return armed_; }

  private:
    void Arm(std::chrono::milliseconds /*period*/) override { armed_ = true; }
    void Disarm() override { armed_ = false; }

    bool armed_ = false;
};

}  // namespace zorvin::headless
