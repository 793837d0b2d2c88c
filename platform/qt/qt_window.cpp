#include "platform/qt/qt_window.h"

#include <map>

#include <QCursor>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRegion>
#include <QShortcut>
#include <QTimer>

#include "platform/common/polygon_fill.h"
#include "platform/common/screen_placement.h"
#include "platform/qt/form_widget.h"
#include "platform/qt/native_widgets.h"
#include "platform/qt/qt_artwork.h"
#include "platform/qt/qt_controls.h"
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

QtWindow::QtWindow(QtPlatform& platform, WindowEvents& events, const FormLayout& layout,
                   const Rect& screen)
    : platform_(platform),
      events_(events),
      layout_(layout),
      screen_(screen),
      scale_(platform.ScaleOn(screen, layout)),
      widget_(new FormWidget(*this, FlagsOf(layout, false))) {
    widget_->setWindowTitle(ToQString(layout.caption));
    widget_->setFixedSize(scale_.ToDevice(layout.client.width),
                          scale_.ToDevice(layout.client.height));
    widget_->setFont(ToQFont(layout.font, platform.fontFactor()));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, ToQColor(layout.backColor));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
    if (layout.icon != Artwork::None) {
        widget_->setWindowIcon(ArtworkIcon(layout.icon));
    }
}

void QtWindow::Destroy() {
    widget_->Detach();
    widget_->hide();
    widget_->deleteLater();
}

std::unique_ptr<NativePicture> QtWindow::AddPicture(const ControlLayout& control) {
    auto* widget =
        new PictureWidget(*widget_, {control.name, control.index}, ArtworkPixmap(control.picture));
    widget->setCursor(PointerCursor(control.pointer, scale_));
    return std::make_unique<QtPicture>(*widget, control, scale_);
}

std::unique_ptr<NativeLabel> QtWindow::AddLabel(const ControlLayout& control) {
    auto* widget = new LabelWidget(*widget_, {control.name, control.index});
    widget->setAlignment(control.alignment == Alignment::Center ? Qt::AlignHCenter | Qt::AlignTop
                                                                : Qt::AlignLeft | Qt::AlignTop);
    if (control.font) {
        widget->setFont(ToQFont(*control.font, platform_.fontFactor()));
    }
    widget->setCursor(PointerCursor(control.pointer, scale_));
    return std::make_unique<QtLabel>(*widget, control, scale_);
}

// The changes the window system told since the last tick are taken in before the timer decides,
// and once its ticks stop, so that none is left waiting for a tick that never comes.
std::unique_ptr<NativeTimer> QtWindow::AddTimer(const ControlLayout& control) {
    auto* timer = new QTimer(widget_);
    QObject::connect(timer, &QTimer::timeout, widget_,
                     [form = widget_, id = ControlId{control.name, control.index}] {
                         if (QtWindow* window = FormWidget::OwnerOf(*form)) {
                             window->platform_.CollectChanges();
                             window->events_.TimerFired(id);
                         }
                     });
    return std::make_unique<QtTimer>(*timer,
                                     [&platform = platform_] { platform.CollectChanges(); });
}

// Enter presses the default button and Escape the cancel button, wherever the focus is.
void QtWindow::AddButton(const ControlLayout& control) {
    auto* button = new QPushButton(ToQString(control.caption), widget_);
    const Rect at = scale_.ToDevice(Rect{control.left, control.top, control.left + control.width,
                                         control.top + control.height});
    button->setGeometry(at.left, at.top, at.right - at.left, at.bottom - at.top);
    button->setDefault(control.isDefault);
    button->setCursor(PointerCursor(control.pointer, scale_));
    QObject::connect(button, &QPushButton::clicked, widget_,
                     [form = widget_, id = ControlId{control.name, control.index}] {
                         if (QtWindow* window = FormWidget::OwnerOf(*form)) {
                             window->events_.Click(id);
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

// The program's own moves come back through moveEvent later (WindowEvents::Moved).
void QtWindow::MoveOuter(Point place) {
    widget_->move(place.x, place.y);
}

void QtWindow::Moved() {
    const QPoint reported = widget_->frameGeometry().topLeft();
    events_.Moved({reported.x(), reported.y()});
}

// A framed window's outer size is taken as the layout's design; the window manager's frame may
// differ by a few pixels.
Point QtWindow::PlaceCentred() {
    const Point corner = CentredOn(screen_, ScaledOuterSize());
    widget_->move(corner.x, corner.y);
    return corner;
}

Size QtWindow::ScaledOuterSize() const {
    const FormLayout& layout = layout_;
    const Size client{scale_.ToDevice(layout.client.width), scale_.ToDevice(layout.client.height)};
    if (frameless_) {
        return client;
    }
    const Size outer = DesignedOuterSize(layout);
    return {client.width + outer.width - layout.client.width,
            client.height + outer.height - layout.client.height};
}

// Where the program has the window, which a move on its way may not have reached yet.
Rect QtWindow::OuterRect() const {
    const Point corner = events_.place();
    const QSize size = widget_->frameGeometry().size();
    return {corner.x, corner.y, corner.x + size.width(), corner.y + size.height()};
}

QPoint QtWindow::ClientOrigin() const {
    const Point corner = events_.place();
    return QPoint(corner.x, corner.y) +
           (widget_->geometry().topLeft() - widget_->frameGeometry().topLeft());
}

Point QtWindow::ScreenToClient(Point screen) const {
    const QPoint client = QPoint(screen.x, screen.y) - ClientOrigin();
    return {client.x(), client.y()};
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

// An outline that lies inside the client area cuts the whole frame away. Decided before the window
// is first shown, such a window goes without a frame; its outer window is then its client area,
// so the shape moves with the client area to the window's corner. Each run of the form's pixels is
// scaled by itself, so that the shape's edge follows the scaled pixels exactly, as a polygon drawn
// at the larger size would not.
void QtWindow::SetShape(std::span<const Point> outline, FillRule rule) {
    const FormLayout& layout = layout_;
    const Point origin = layout.clientOrigin;
    QRegion region;
    QRect bounds;
    for (const PixelRun& run : PolygonRuns(outline, rule)) {
        const Rect client{run.left - origin.x, run.y - origin.y, run.right - origin.x,
                          run.y + 1 - origin.y};
        bounds |= QRect(client.left, client.top, client.right - client.left, 1);
        const Rect device = scale_.ToDevice(client);
        region +=
            QRect(device.left, device.top, device.right - device.left, device.bottom - device.top);
    }
    const QRect client(0, 0, layout.client.width, layout.client.height);
    if (!widget_->isVisible() && !frameless_ && client.contains(bounds)) {
        frameless_ = true;
        // Transparent beyond the shape too: compositors that show an X11 window's whole rectangle
        // (XWayland under Sway and labwc) then show the face alone.
        widget_->setAttribute(Qt::WA_TranslucentBackground);
        widget_->setWindowFlags(FlagsOf(layout, true));
        events_.Moved(PlaceCentred());
    }
    widget_->setMask(region);
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

// Captions with their mnemonics, check marks and separators; modal, like the system's pop-up menus.
std::optional<std::string_view> QtWindow::PopupMenu(std::span<const PopupItem> items,
                                                    std::optional<ClientPoint> anchor) {
    QMenu popup;
    std::map<const QAction*, std::string_view> names;
    for (const PopupItem& item : items) {
        if (item.caption == "-") {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(ToQString(item.caption));
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        names.emplace(action, item.name);
    }
    const QPoint at =
        anchor ? ClientOrigin() + QPoint(scale_.ToDevice(anchor->x), scale_.ToDevice(anchor->y))
               : QCursor::pos();
    const QAction* chosen = popup.exec(at);
    if (const auto found = names.find(chosen); found != names.end()) {
        return found->second;
    }
    return std::nullopt;
}

// X and Y are taken from the pointer's place on the screen and the control's place in the window
// where the program last put it, not from where the window system has the window now: a drag asks
// for moves faster than the window manager carries them out, and only the first keeps the pressed
// point of the face under the pointer.
void QtWindow::Mouse(MouseAction action, ControlId control, const QMouseEvent& event) {
    const QPoint at = event.globalPosition().toPoint() - ClientOrigin();
    const ClientPoint client{scale_.ToForm(at.x()), scale_.ToForm(at.y())};
    const std::int16_t shift = ShiftOf(event.modifiers());
    switch (action) {
        case MouseAction::Down:
            if (const std::int16_t button = ButtonOf(event.button())) {
                events_.Press(control, button, shift, client);
            }
            break;
        case MouseAction::Move:
            events_.Move(control, ButtonsOf(event.buttons()), shift, client);
            break;
        case MouseAction::Up:
            if (const std::int16_t button = ButtonOf(event.button())) {
                events_.Release(control, button, shift, client);
            }
            break;
    }
}

}  // namespace zorvin::qt
