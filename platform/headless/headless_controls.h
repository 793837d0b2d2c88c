// The controls of a headless window: what the window system shows of them, kept in memory, for a
// test to read back.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/api/layout.h"
#include "platform/common/native_window.h"

namespace zorvin::headless {

class HeadlessPicture final : public NativePicture {
  public:
    void MoveTo(Point device) override {
        shownAt_ = device;
        ++moves_;
    }

    // The device pixel of the client area it is shown at.
    Point shownAt() const { return shownAt_; }
    // How often it was moved: each time, the window system repaints it.
    int moves() const { return moves_; }

  private:
    Point shownAt_;
    int moves_ = 0;
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

// A native timer on a clock that a test moves on: the in-memory window system's, which
// HeadlessPlatform::tick moves, or a test's own.
class HeadlessTimer final : public NativeTimer {
  public:
    explicit HeadlessTimer(const std::chrono::milliseconds& clock) : clock_(clock) {}

    void Arm(std::chrono::milliseconds period) override {
        period_ = period;
        due_ = clock_ + period;
    }
    void Disarm() override { period_.reset(); }
    std::chrono::milliseconds Now() const override { return clock_; }

    // How often it fires, while it is armed.
    std::optional<std::chrono::milliseconds> period() const { return period_; }
    // Whether it fires at the clock's time now; it is then due again a period later.
    bool Due();

  private:
    const std::chrono::milliseconds& clock_;
    std::optional<std::chrono::milliseconds> period_;
    std::chrono::milliseconds due_{};
};

}  // namespace zorvin::headless
