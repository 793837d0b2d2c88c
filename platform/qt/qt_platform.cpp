#include "platform/qt/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QString>
#include <QUrl>

#include "platform/qt/qt_window.h"

namespace zorvin::qt {
namespace {

// Each look at the pointer, with QT_LOGGING_RULES="zorvin.pointer.debug=true": whether the ticks
// keep their period whatever the compositor does.
Q_LOGGING_CATEGORY(lcPointer, "zorvin.pointer", QtWarningMsg)

}  // namespace

// The pointer source is chosen before the first window, so that a compositor has answered, or its
// silence been explained, by the first tick.
QtPlatform::QtPlatform(DesktopEvents& desktop, const OwnScaling& scaling, int tickMs)
    : desktop_(desktop),
      scaling_(scaling),
      changes_([this] {
          desktop_.NoteChange();
          return desktop_.ticking();
      }),
      look_(StartLook()),
      pointer_(
          tickMs, [this] { desktop_.NoteChange(); },
          [this](QPoint seen) {
              if (look_) {
                  look_->Saw(seen);
              }
          }) {}

// The timers look until the helper's looks run, and again if they end; where the X server tells
// no moves, every tick runs and nothing looks.
std::unique_ptr<X11Look> QtPlatform::StartLook() {
    if (!changes_.watching()) {
        return nullptr;
    }
    desktop_.WatchChanges(UntoldChanges::TimersLook);
    return std::make_unique<X11Look>(
        kLookPeriod,
        [this](bool looking) {
            desktop_.WatchChanges(looking ? UntoldChanges::BackendLooks
                                          : UntoldChanges::TimersLook);
        },
        [this] { desktop_.NoteChange(); }, [this] { desktop_.NoteUntoldChange(); });
}

QtPlatform::~QtPlatform() = default;

std::unique_ptr<NativeWindow> QtPlatform::NewWindow(WindowEvents& events, const FormLayout& layout,
                                                    const Rect& screen) {
    return std::make_unique<QtWindow>(*this, events, layout, screen);
}

std::vector<Rect> QtPlatform::Screens() const {
    std::vector<Rect> screens;
    const auto add = [&screens](const QScreen* screen) {
        const QRect at = screen->geometry();
        screens.push_back({at.x(), at.y(), at.x() + at.width(), at.y() + at.height()});
    };
    add(QGuiApplication::primaryScreen());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            add(screen);
        }
    }
    return screens;
}

DpiScale QtPlatform::ScaleOn(const Rect& screen, const FormLayout& layout) const {
    const QScreen* at = QGuiApplication::screenAt(
        QPoint(screen.left + screen.width() / 2, screen.top + screen.height() / 2));
    if (!at) {
        at = QGuiApplication::primaryScreen();
    }
    return DpiScale::Of(layout.dpiScaling, scaling_.DpiOf(*at));
}

void QtPlatform::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::Quit() {
    QCoreApplication::exit(0);
}

Point QtPlatform::CursorPosition() {
    qCDebug(lcPointer, "looked");
    const QPoint cursor = pointer_.Position();
    return {cursor.x(), cursor.y()};
}

// The desktop's opener takes "mailto:" addresses and URLs from here.
bool QtPlatform::Open(std::string_view document) {
    return QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(document.data(), static_cast<qsizetype>(document.size()))));
}

}  // namespace zorvin::qt
