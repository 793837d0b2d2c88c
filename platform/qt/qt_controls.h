// The controls the forms read and write, each carried out on its native widget or Qt object. A
// push button has no property the forms use; its native widget reports its clicks directly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/common/native_window.h"
#include "platform/dpi_scale/dpi_scale.h"

namespace zorvin::qt {

// The widget is the layout's size, scaled as the window is.
class QtPicture final : public NativePicture {
  public:
    QtPicture(QWidget& widget, const ControlLayout& layout, const DpiScale& scale);

    void MoveTo(Point device) override { widget_.move(device.x, device.y); }

  private:
    QWidget& widget_;
};

// The text and its colour are the label widget's own. A centred text wider than the label's box,
// as the desktop's font may make it where the layout's font is missing, widens the box evenly on
// both sides rather than being cut off. Its box is the layout's, scaled as the window is.
class QtLabel final : public NativeLabel {
  public:
    QtLabel(QLabel& widget, const ControlLayout& layout, const DpiScale& scale);

    ClientPoint Origin() const override;
    Colour ForeColor() const override;
    void setForeColor(Colour colour) override;
    std::string Caption() const override;
    void setCaption(std::string_view caption) override;

  private:
    void Fit();

    QLabel& widget_;
    const ControlLayout& layout_;
    const DpiScale scale_;
};

// `stopped` is called once its ticks have stopped, or it is gone.
class QtTimer final : public NativeTimer {
  public:
    QtTimer(QTimer& timer, std::function<void()> stopped)
        : timer_(timer), stopped_(std::move(stopped)) {}

    void Arm(std::chrono::milliseconds period) override { timer_.start(period); }
    void Disarm() override;

  private:
    QTimer& timer_;
    std::function<void()> stopped_;
};

}  // namespace zorvin::qt
