// The controls of a headless window: their properties kept in memory, with a count of every read
// and write so that a test can tell whether anything touched them.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/common/gated_timer.h"
#include "platform/common/native_window.h"

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

// Its native timer runs on the headless clock, which HeadlessPlatform::tick moves on.
class HeadlessTimer final : public GatedTimer {
  public:
    explicit HeadlessTimer(const std::chrono::milliseconds& clock) : clock_(clock) {}

    // How often the native timer fires, while it is armed.
    std::optional<std::chrono::milliseconds> period() const { return period_; }
    // Whether it fires at the clock's time now; it is then due again a period later.
    bool Due();

  private:
    void Arm(std::chrono::milliseconds period) override {
        period_ = period;
        due_ = clock_ + period;
    }
    void Disarm() override { period_.reset(); }
    std::chrono::milliseconds Now() const override { return clock_; }

    const std::chrono::milliseconds& clock_;
    std::optional<std::chrono::milliseconds> period_;
    std::chrono::milliseconds due_{};
};

}  // namespace zorvin::headless
