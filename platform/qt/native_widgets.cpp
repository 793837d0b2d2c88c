#include "platform/qt/native_widgets.h"

#include <utility>

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/form_widget.h"
#include "platform/qt/qt_window.h"

namespace zorvin::qt {
namespace {

// Accepted, so that Qt does not pass the event on to the parent widget.
void Report(QWidget& widget, ControlId id, MouseAction action, QMouseEvent& event) {
    event.accept();
    if (QtWindow* window = FormWidget::OwnerOf(widget)) {
        window->Mouse(action, id, event);
    }
}

}  // namespace

PictureWidget::PictureWidget(QWidget& form, ControlId id, QPixmap picture)
    : QWidget(&form), id_(id), picture_(std::move(picture)) {
    setMouseTracking(true);
}

void PictureWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    Report(*this, id_, MouseAction::Down, *event);
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    Report(*this, id_, MouseAction::Move, *event);
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    Report(*this, id_, MouseAction::Up, *event);
}

LabelWidget::LabelWidget(QWidget& form, ControlId id) : QLabel(&form), id_(id) {
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
    Report(*this, id_, MouseAction::Down, *event);
}

void LabelWidget::mouseMoveEvent(QMouseEvent* event) {
    Report(*this, id_, MouseAction::Move, *event);
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    Report(*this, id_, MouseAction::Up, *event);
}

}  // namespace zorvin::qt
