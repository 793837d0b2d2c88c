// The native widgets of pictures and labels. Each takes its own mouse events, so that none reaches
// the widget below it, and reports them as its control's.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "platform/api/form_runtime.h"

namespace zorvin::qt {

// Shows its picture stretched over its rectangle, pixel for pixel with no smoothing, so that the
// pixel art stays crisp at any scale factor.
class PictureWidget final : public QWidget {
  public:
    PictureWidget(QWidget& form, ControlId id, QPixmap picture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ControlId id_;
    QPixmap picture_;
};

class LabelWidget final : public QLabel {
  public:
    LabelWidget(QWidget& form, ControlId id);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ControlId id_;
};

}  // namespace zorvin::qt
