#include "platform/qt/form_widget.h"

#include <QCloseEvent>

#include "platform/qt/qt_window.h"

namespace zorvin::qt {

FormWidget::FormWidget(QtWindow& owner, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), owner_(&owner) {}

QtWindow* FormWidget::OwnerOf(const QWidget& widget) {
    const auto* form = dynamic_cast<const FormWidget*>(widget.window());
    return form ? form->owner_ : nullptr;
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (owner_) {
        owner_->CaptionClose();
    }
}

void FormWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (owner_) {
        owner_->Moved();
    }
}

}  // namespace zorvin::qt
