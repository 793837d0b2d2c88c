#include "platform/qt/qt_window.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "platform/pixels.h"
#include "platform/qt/form_widget.h"
#include "platform/qt/native_widgets.h"
#include "platform/qt/qt_artwork.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_values.h"
#include "platform/qt/x11_stacking.h"

namespace zorvin::qt {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A frame with a caption, its close button and the minimise and maximise buttons the layout asks
// for, or no frame at all. A taskbar entry comes with every top-level window.
Qt::WindowFlags FlagsOf(const FormLayout& layout, bool frameless) {
    if (frameless) {
        return Qt::Window | Qt::FramelessWindowHint;  // Qt drops it beside any caption button
    }
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, layout.minButton);
    flags.setFlag(Qt::WindowMaximizeButtonHint, layout.maxButton);
    return flags;
}

}  // namespace

QtWindow::QtWindow(QtPlatform& platform, const FormLayout& layout, FormEvents& events, Hwnd hwnd)
    : platform_(platform),
      layout_(layout),
      events_(events),
      hwnd_(hwnd),
      widget_(new FormWidget(*this, FlagsOf(layout, false))) {
    widget_->setWindowTitle(ToQString(layout.caption));
    widget_->setFixedSize(layout.client.width, layout.client.height);
    widget_->setFont(ToQFont(layout.font));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, ToQColor(layout.backColor));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
    if (layout.icon != Artwork::None) {
        widget_->setWindowIcon(ArtworkIcon(layout.icon));
    }
    // Later controls lie above earlier ones.
    for (const ControlLayout& control : layout.controls) {
        AddControl(control);
    }
    for (const MenuLayout& item : layout.menu) {
        menuItems_.emplace(item.name, std::make_unique<QtMenuItem>(item));
    }
    PlaceCentred();
}

QtWindow::~QtWindow() {
    platform_.Forget(*this);
    timers_.clear();
    widget_->Detach();
    widget_->hide();
    widget_->deleteLater();
}

void QtWindow::AddControl(const ControlLayout& control) {
    const ControlId id{control.name, control.index};
    const ControlKey key{control.name, control.index};
    switch (control.kind) {
        case ControlKind::Picture: {
            auto* widget = new PictureWidget(*widget_, id, ArtworkPixmap(control.picture));
            widget->setCursor(PointerCursor(control.pointer));
            pictures_.emplace(key, std::make_unique<QtPicture>(*widget, control));
            break;
        }
        case ControlKind::Label: {
            auto* widget = new LabelWidget(*widget_, id);
            widget->setAlignment(control.alignment == Alignment::Center
                                     ? Qt::AlignHCenter | Qt::AlignTop
                                     : Qt::AlignLeft | Qt::AlignTop);
            if (control.font) {
                widget->setFont(ToQFont(*control.font));
            }
            widget->setCursor(PointerCursor(control.pointer));
            labels_.emplace(key, std::make_unique<QtLabel>(*widget, control));
            break;
        }
        case ControlKind::CommandButton:
            AddButton(control);
            break;
        case ControlKind::Timer: {
            auto* timer = new QTimer(widget_);
            QObject::connect(timer, &QTimer::timeout, widget_, [form = widget_, id] {
                if (QtWindow* window = FormWidget::OwnerOf(*form)) {
                    window->Tick(id);
                }
            });
            timers_.emplace(key, std::make_unique<QtTimer>(*timer, control.interval));
            break;
        }
    }
}

// Enter presses the default button and Escape the cancel button, wherever the focus is.
void QtWindow::AddButton(const ControlLayout& control) {
    auto* button = new QPushButton(ToQString(control.caption), widget_);
    button->setGeometry(control.left, control.top, control.width, control.height);
    button->setDefault(control.isDefault);
    button->setCursor(PointerCursor(control.pointer));
    QObject::connect(button, &QPushButton::clicked, widget_,
                     [form = widget_, id = ControlId{control.name, control.index}] {
                         if (QtWindow* window = FormWidget::OwnerOf(*form)) {
                             window->Click(id);
                         }
                     });
    const auto pressOn = [this, button](QKeySequence key) {
        auto* shortcut = new QShortcut(key, widget_);
        QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    };
    if (control.isDefault) {
        pressOn(QKeySequence(Qt::Key_Return));
        pressOn(QKeySequence(Qt::Key_Enter));
    }
    if (control.isCancel) {
        pressOn(QKeySequence(Qt::Key_Escape));
    }
}

PictureBox& QtWindow::picture(ControlId id) {
    return FindControl(pictures_, id, "picture");
}

Label& QtWindow::label(ControlId id) {
    return FindControl(labels_, id, "label");
}

Timer& QtWindow::timer(ControlId id) {
    return FindControl(timers_, id, "timer");
}

MenuItem& QtWindow::menuItem(std::string_view name) {
    return FindMenuItem(menuItems_, name);
}

void QtWindow::setLeft(float left) {
    left_ = left;
    MoveToAskedPlace();
}

void QtWindow::setTop(float top) {
    top_ = top;
    MoveToAskedPlace();
}

QPoint QtWindow::OuterPosition() const {
    return {PixelOf(left_), PixelOf(top_)};
}

void QtWindow::MoveToAskedPlace() {
    const QPoint outer = OuterPosition();
    if (widget_->isVisible()) {
        pending_.push_back(outer);
    }
    widget_->move(outer);
}

// The window system reports the places it was asked for in order, possibly skipping some; a place
// nobody asked for is a move of its own (by the user through the window manager, say), which the
// program's position then follows.
void QtWindow::Moved() {
    const QPoint reported = widget_->frameGeometry().topLeft();
    const auto asked = std::find(pending_.begin(), pending_.end(), reported);
    if (asked != pending_.end()) {
        pending_.erase(pending_.begin(), asked + 1);
        return;
    }
    if (pending_.empty() && reported == OuterPosition()) {
        return;
    }
    pending_.clear();
    left_ = static_cast<float>(reported.x());
    top_ = static_cast<float>(reported.y());
}

// The outer window centred on the primary screen. A framed window's outer size is taken as the
// layout's design: its client origin, and a border as wide as the left one on the right and
// below; the window manager's frame may differ by a few pixels.
void QtWindow::PlaceCentred() {
    const QPoint origin(layout_.clientOrigin.x, layout_.clientOrigin.y);
    const QSize frame = frameless_ ? QSize(0, 0) : QSize(2 * origin.x(), origin.y() + origin.x());
    const QSize outer = QSize(layout_.client.width, layout_.client.height) + frame;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint corner = screen.topLeft() + QPoint((screen.width() - outer.width()) / 2,
                                                    (screen.height() - outer.height()) / 2);
    left_ = static_cast<float>(corner.x());
    top_ = static_cast<float>(corner.y());
    MoveToAskedPlace();
}

QPoint QtWindow::ClientOrigin() const {
    return OuterPosition() + (widget_->geometry().topLeft() - widget_->frameGeometry().topLeft());
}

QPoint QtWindow::ScreenToClient(QPoint screen) const {
    return screen - ClientOrigin();
}

void QtWindow::Show() {
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void QtWindow::Hide() {
    widget_->hide();
}

// A region that lies inside the client area cuts the whole frame away. Decided before the window
// is first shown, such a window goes without a frame; its outer window is then its client area,
// so the region moves with the client area to the window's corner.
void QtWindow::SetRegion(const QRegion& region) {
    const QPoint origin(layout_.clientOrigin.x, layout_.clientOrigin.y);
    const QRect client(origin, QSize(layout_.client.width, layout_.client.height));
    if (!widget_->isVisible() && !frameless_ && client.contains(region.boundingRect())) {
        frameless_ = true;
        widget_->setWindowFlags(FlagsOf(layout_, true) |
                                (widget_->windowFlags() & Qt::WindowStaysOnTopHint));
        PlaceCentred();
    }
    widget_->setMask(region.translated(-origin));
}

// Before the window is shown, its flags ask for the stacking as the window is mapped; afterwards
// the window manager is asked, as changing the flags would hide and re-create the window.
void QtWindow::SetStaysOnTop(bool on) {
    if (widget_->isVisible()) {
        qt::SetStaysOnTop(*widget_, on);
    } else {
        widget_->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    }
}

// The items under the named top-level menu, as they are now: captions with their mnemonics, the
// check marks, the separators. Returns when the menu closes, after the chosen item's Click.
void QtWindow::PopupMenu(std::string_view menu) {
    QMenu popup;
    bool under = false;
    for (const MenuLayout& item : layout_.menu) {
        if (item.level == 0) {
            under = item.name == menu;
            continue;
        }
        if (!under || !item.visible) {
            continue;
        }
        if (item.caption == "-") {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(ToQString(item.caption));
        const bool checked = menuItem(item.name).Checked();
        action->setCheckable(checked);
        action->setChecked(checked);
        QObject::connect(action, &QAction::triggered, widget_, [form = widget_, name = item.name] {
            if (QtWindow* window = FormWidget::OwnerOf(*form)) {
                window->Click({name});
            }
        });
    }
    popup.exec(QCursor::pos());
}

bool QtWindow::Ended() const {
    return platform_.ended();
}

// X and Y are taken from the pointer's place on the screen and the control's place in the window
// where the program last put it, not from where the window system has the window now: a drag asks
// for moves faster than the window manager carries them out, and only the first keeps the pressed
// point of the face under the pointer.
void QtWindow::Mouse(MouseAction action, ControlId control, const QWidget& source,
                     const QMouseEvent& event) {
    if (Ended()) {
        return;
    }
    const QPointF at =
        event.globalPosition() - QPointF(ClientOrigin() + source.mapTo(widget_, QPoint()));
    MouseArgs args{.Shift = ShiftOf(event.modifiers()),
                   .X = static_cast<float>(at.x()),
                   .Y = static_cast<float>(at.y())};
    switch (action) {
        case MouseAction::Down:
            args.Button = ButtonOf(event.button());
            if (args.Button != 0) {
                events_.MouseDown(control, args);
            }
            break;
        case MouseAction::Move:
            args.Button = ButtonsOf(event.buttons());
            events_.MouseMove(control, args);
            break;
        case MouseAction::Up:
            args.Button = ButtonOf(event.button());
            if (args.Button != 0) {
                events_.MouseUp(control, args);
            }
            break;
    }
}

void QtWindow::Click(ControlId control) {
    if (!Ended()) {
        events_.Click(control);
    }
}

void QtWindow::Tick(ControlId timer) {
    if (!Ended()) {
        events_.Timer(timer);
    }
}

void QtWindow::CaptionClose() {
    if (!Ended()) {
        events_.CaptionClose();
    }
}

}  // namespace zorvin::qt
