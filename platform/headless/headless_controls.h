// The controls of a headless window: their properties kept in memory, with a count of every read
// and write so that a test can tell whether anything touched them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

class HeadlessLabel final : public Label {
  public:
    explicit HeadlessLabel(const ControlLayout& layout);

    Colour ForeColor() const override { return foreColor_; }
    void setForeColor(Colour colour) override { foreColor_ = colour; }
    std::string Caption() const override { return caption_; }
    void setCaption(std::string_view caption) override { caption_ = caption; }

  private:
    Colour foreColor_;
    std::string caption_;
};

class HeadlessTimer final : public Timer {
  public:
    explicit HeadlessTimer(const ControlLayout& layout) : interval_(layout.interval) {}

    std::int32_t Interval() const override { return interval_; }
    void setInterval(std::int32_t milliseconds) override { interval_ = milliseconds; }

  private:
    std::int32_t interval_;
};

class HeadlessMenuItem final : public MenuItem {
  public:
    explicit HeadlessMenuItem(const MenuLayout& layout) : checked_(layout.checked) {}

    bool Checked() const override { return checked_; }
    void setChecked(bool checked) override { checked_ = checked; }

  private:
    bool checked_;
};

}  // namespace zorvin::headless
