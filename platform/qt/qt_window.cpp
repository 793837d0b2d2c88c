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

#include "platform/common/screen_placement.h"
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
      core_(layout, events, platform.ended(), *this),
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
    BuildControls(layout, *this);
    for (const MenuLayout& item : layout.menu) {
        menuItems_.emplace(item.name, std::make_unique<QtMenuItem>(item));
    }
    PlaceCentred();
}

QtWindow::~QtWindow() {
    Unload();
}

void QtWindow::Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    core_.Unload();
    platform_.Forget(*this);
    timers_.clear();
    widget_->Detach();
    widget_->hide();
    widget_->deleteLater();
}

void QtWindow::AddPicture(const ControlLayout& control) {
    const ControlKey key{control.name, control.index};
    auto* widget =
        new PictureWidget(*widget_, {control.name, control.index}, ArtworkPixmap(control.picture));
    widget->setCursor(PointerCursor(control.pointer));
    pictures_.emplace(key, std::make_unique<QtPicture>(*widget, control));
    mouseWidgets_.emplace(key, widget);
}

void QtWindow::AddLabel(const ControlLayout& control) {
    const ControlKey key{control.name, control.index};
    auto* widget = new LabelWidget(*widget_, {control.name, control.index});
    widget->setAlignment(control.alignment == Alignment::Center ? Qt::AlignHCenter | Qt::AlignTop
                                                                : Qt::AlignLeft | Qt::AlignTop);
    if (control.font) {
        widget->setFont(ToQFont(*control.font));
    }
    widget->setCursor(PointerCursor(control.pointer));
    labels_.emplace(key, std::make_unique<QtLabel>(*widget, control));
    mouseWidgets_.emplace(key, widget);
}

void QtWindow::AddTimer(const ControlLayout& control) {
    const ControlId id{control.name, control.index};
    auto* timer = new QTimer(widget_);
    QObject::connect(timer, &QTimer::timeout, widget_, [form = widget_, id] {
        QtWindow* window = FormWidget::OwnerOf(*form);
        if (!window) {
            return;
        }
        window->platform_.CollectChanges();
        if (window->timers_.at(ControlKey{id.name, id.index})->Fire()) {
            window->core_.Tick(id);
        }
    });
    timers_.emplace(
        ControlKey{control.name, control.index},
        std::make_unique<QtTimer>(*timer, control.interval, platform_.watchingChanges()));
}

void QtWindow::Change() {
    for (const auto& [key, timer] : timers_) {
        timer->Change();
    }
}

bool QtWindow::ticking() const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [](const auto& timer) { return timer.second->Interval() > 0; });
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
                             window->core_.Click(id);
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

float QtWindow::Left() const {
    return core_.Position({left_, top_}).left;
}

float QtWindow::Top() const {
    return core_.Position({left_, top_}).top;
}

void QtWindow::setLeft(float left) {
    core_.AskLeft(left, {left_, top_});
}

void QtWindow::setTop(float top) {
    core_.AskTop(top, {left_, top_});
}

void QtWindow::MoveOuter(OuterPosition position) {
    left_ = position.left;
    top_ = position.top;
    MoveToAskedPlace();
    platform_.Changed();
}

ClientPoint QtWindow::ControlOrigin(ControlId control) const {
    const QPoint at = mouseWidgets_.at(ControlKey{control.name, control.index})->pos();
    return {static_cast<float>(at.x()), static_cast<float>(at.y())};
}

QPoint QtWindow::OuterCorner() const {
    return {PixelOf(left_), PixelOf(top_)};
}

void QtWindow::MoveToAskedPlace() {
    const QPoint outer = OuterCorner();
    if (widget_->isVisible()) {
        pending_.push_back(outer);
    }
    widget_->move(outer);
}

// The window system reports the places it was asked for in order, possibly skipping some; a place
// nobody asked for is a move of its own (by the user through the window manager, say), which the
// program's position then follows.
void QtWindow::Moved() {
    platform_.Changed();
    const QPoint reported = widget_->frameGeometry().topLeft();
    const auto asked = std::find(pending_.begin(), pending_.end(), reported);
    if (asked != pending_.end()) {
        pending_.erase(pending_.begin(), asked + 1);
        return;
    }
    if (pending_.empty() && reported == OuterCorner()) {
        return;
    }
    pending_.clear();
    left_ = static_cast<float>(reported.x());
    top_ = static_cast<float>(reported.y());
}

// The outer window centred on a screen (see QtPlatform::ScreenForNewWindow). A framed window's
// outer size is taken as the layout's design; the window manager's frame may differ by a few
// pixels.
void QtWindow::PlaceCentred() {
    const Size outer = frameless_ ? layout_.client : DesignedOuterSize(layout_);
    const Point corner = CentredOn(platform_.ScreenForNewWindow(*this), outer);
    left_ = static_cast<float>(corner.x);
    top_ = static_cast<float>(corner.y);
    MoveToAskedPlace();
}

QRect QtWindow::outerRect() const {
    return {OuterCorner(), widget_->frameGeometry().size()};
}

QPoint QtWindow::ClientOrigin() const {
    return OuterCorner() + (widget_->geometry().topLeft() - widget_->frameGeometry().topLeft());
}

QPoint QtWindow::ScreenToClient(QPoint screen) const {
    return screen - ClientOrigin();
}

void QtWindow::Show() {
    const bool mapping = !widget_->isVisible();
    widget_->show();
    if (mapping && staysOnTop_) {
        qt::SetStaysOnTop(*widget_, true);
    }
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
        widget_->setWindowFlags(FlagsOf(layout_, true));
        PlaceCentred();
    }
    widget_->setMask(region.translated(-origin));
}

// The window manager is asked, and only once the window is mapped (see Show): changing the flags
// would hide and re-create a shown window, and a window mapped with the state already set cannot
// always lose it again.
void QtWindow::SetStaysOnTop(bool on) {
    staysOnTop_ = on;
    if (widget_->isVisible()) {
        qt::SetStaysOnTop(*widget_, on);
    }
}

// The items under the named top-level menu, as they are now: captions with their mnemonics, the
// check marks, the separators. The menu takes the pointer, so a press that opened it holds it no
// more. Returns when the menu closes, after the chosen item's Click.
void QtWindow::PopupMenu(std::string_view menu) {
    QMenu popup;
    for (const MenuLayout* item : PopupItems(layout_, menu)) {
        if (item->caption == "-") {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(ToQString(item->caption));
        const bool checked = menuItem(item->name).Checked();
        action->setCheckable(checked);
        action->setChecked(checked);
        QObject::connect(action, &QAction::triggered, widget_, [form = widget_, name = item->name] {
            if (QtWindow* window = FormWidget::OwnerOf(*form)) {
                window->core_.Click({name});
            }
        });
    }
    const std::optional<ClientPoint> anchor = core_.popupAnchor();
    const QPoint at =
        anchor ? ClientOrigin() + QPoint(PixelOf(anchor->x), PixelOf(anchor->y)) : QCursor::pos();
    core_.LoseGrab();
    if (core_.live()) {
        popup.exec(at);
    }
}

// X and Y are taken from the pointer's place on the screen and the control's place in the window
// where the program last put it, not from where the window system has the window now: a drag asks
// for moves faster than the window manager carries them out, and only the first keeps the pressed
// point of the face under the pointer.
void QtWindow::Mouse(MouseAction action, ControlId control, const QMouseEvent& event) {
    const QPointF at = event.globalPosition() - QPointF(ClientOrigin());
    const ClientPoint client{static_cast<float>(at.x()), static_cast<float>(at.y())};
    const std::int16_t shift = ShiftOf(event.modifiers());
    switch (action) {
        case MouseAction::Down:
            if (const std::int16_t button = ButtonOf(event.button())) {
                core_.Press(control, button, shift, client);
            }
            break;
        case MouseAction::Move:
            core_.Move(control, ButtonsOf(event.buttons()), shift, client);
            break;
        case MouseAction::Up:
            if (const std::int16_t button = ButtonOf(event.button())) {
                core_.Release(control, button, shift, client);
            }
            break;
    }
}

}  // namespace zorvin::qt
