#include "platform/qt/form_widget.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>

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
        owner_->events().CaptionClose();
    }
}

void FormWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard) {
        return;
    }
    event->accept();
    if (owner_) {
        owner_->events().KeyboardContextMenu();
    }
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F10 || event->modifiers() != Qt::ShiftModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (owner_) {
        owner_->events().KeyboardContextMenu();
    }
}

void FormWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && owner_) {
        owner_->events().LoseGrab();
    }
}

void FormWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (owner_) {
        owner_->Moved();
    }
}

}  // namespace zorvin::qt
