#include "platform/qt/qt_controls.h"

#include <QPalette>
#include <QString>

#include "platform/qt/qt_values.h"

namespace zorvin::qt {

QtPicture::QtPicture(QWidget& widget, const ControlLayout& layout, const DpiScale& scale)
    : widget_(widget) {
    widget_.resize(scale.ToDevice(layout.width), scale.ToDevice(layout.height));
}

QtLabel::QtLabel(QLabel& widget, const ControlLayout& layout, const DpiScale& scale)
    : widget_(widget), layout_(layout), scale_(scale) {
    setCaption(layout.caption);
    setForeColor(layout.foreColor);
}

void QtLabel::Fit() {
    const Rect at = scale_.ToDevice(Rect{layout_.left, layout_.top, layout_.left + layout_.width,
                                         layout_.top + layout_.height});
    QRect box(at.left, at.top, at.right - at.left, at.bottom - at.top);
    const int needed = widget_.fontMetrics().horizontalAdvance(widget_.text()) + 2;
    if (layout_.alignment == Alignment::Center && needed > box.width()) {
        box.adjust(-(needed - box.width()) / 2, 0, (needed - box.width() + 1) / 2, 0);
    }
    widget_.setGeometry(box);
}

ClientPoint QtLabel::Origin() const {
    return {scale_.ToForm(widget_.x()), scale_.ToForm(widget_.y())};
}

Colour QtLabel::ForeColor() const {
    return FromQColor(widget_.palette().color(QPalette::WindowText));
}

void QtLabel::setForeColor(Colour colour) {
    QPalette palette = widget_.palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    widget_.setPalette(palette);
}

std::string QtLabel::Caption() const {
    return widget_.text().toStdString();
}

void QtLabel::setCaption(std::string_view caption) {
    widget_.setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    Fit();
}

void QtTimer::Disarm() {
    timer_.stop();
    stopped_();
}

}  // namespace zorvin::qt
