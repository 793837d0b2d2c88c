#include "platform/qt/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/qt/polygon_region.h"
#include "platform/qt/qt_window.h"
#include "platform/system_values.h"

namespace zorvin::qt {
namespace {

// ShellExecute's results: above 32 on success, else an error code.
constexpr std::intptr_t kShellOpened = 42;
constexpr std::intptr_t kShellNoAssociation = 31;  // SE_ERR_NOASSOC

}  // namespace

QtPlatform::QtPlatform()
    : changes_([this] {
          Changed();
          return std::any_of(windows_.begin(), windows_.end(),
                             [](const auto& window) { return window.second->ticking(); });
      }) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::Changed() {
    for (const auto& [hwnd, window] : windows_) {
        window->Change();
    }
}

std::unique_ptr<Window> QtPlatform::createWindow(const FormLayout& layout, FormEvents& events) {
    for (const ControlLayout& control : layout.controls) {
        if (control.kind == ControlKind::Timer && control.interval > 0 &&
            (tickMs_ == 0 || control.interval < tickMs_)) {
            tickMs_ = control.interval;
        }
    }
    const Hwnd hwnd = nextHandle_;
    nextHandle_ += 0x10;
    auto window = std::make_unique<QtWindow>(*this, layout, events, hwnd);
    windows_.emplace(hwnd, window.get());
    return window;
}

void QtPlatform::Forget(QtWindow& window) {
    windows_.erase(window.hWnd());
}

QtWindow* QtPlatform::Find(Hwnd hwnd) {
    const auto found = windows_.find(hwnd);
    return found == windows_.end() ? nullptr : found->second;
}

void QtPlatform::Show(Window& window) {
    static_cast<QtWindow&>(window).Show();
}

// Windows move to the places asked for before anything else runs.
void QtPlatform::DoEvents() {
    for (const auto& [hwnd, window] : windows_) {
        window->core().ApplyAskedMove();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

Rect QtPlatform::ScreenForNewWindow(const QtWindow& window) const {
    std::vector<Rect> screens;
    const auto add = [&screens](const QScreen* screen) {
        const QRect at = screen->geometry();
        screens.push_back({at.x(), at.y(), at.width(), at.height()});
    };
    add(QGuiApplication::primaryScreen());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            add(screen);
        }
    }
    std::optional<Rect> loaded;
    for (const auto& [hwnd, other] : windows_) {
        if (other != &window) {
            const QRect outer = other->outerRect();
            loaded = Rect{outer.x(), outer.y(), outer.width(), outer.height()};
            break;
        }
    }
    return ScreenHoldingMost(screens, loaded);
}

void QtPlatform::PopupMenu(Window& window, std::string_view menu) {
    static_cast<QtWindow&>(window).PopupMenu(menu);
}

// End may come from deep inside nested event loops (a menu's, inside a mouse handler): the
// windows go at once, no event reaches a form any more, and every loop returns to main.
void QtPlatform::End() {
    if (ended_) {
        return;
    }
    ended_ = true;
    for (const auto& [hwnd, window] : windows_) {
        window->Hide();
    }
    QCoreApplication::exit(0);
}

Hrgn QtPlatform::CreatePolygonRgn(const Point* points, std::int32_t count, std::int32_t fillMode) {
    const Hrgn handle = nextRegion_++;
    regions_.emplace(handle,
                     PolygonRegion({points, static_cast<std::size_t>(count)},
                                   fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
    return handle;
}

// The window system owns the region from now on.
std::int32_t QtPlatform::SetWindowRgn(Hwnd hwnd, Hrgn region, bool /*redraw*/) {
    QtWindow* window = Find(hwnd);
    const auto found = regions_.find(region);
    if (!window || found == regions_.end()) {
        return 0;
    }
    window->SetRegion(found->second);
    regions_.erase(found);
    return 1;
}

bool QtPlatform::SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t /*x*/, std::int32_t /*y*/,
                              std::int32_t /*cx*/, std::int32_t /*cy*/, std::uint32_t /*flags*/) {
    QtWindow* window = Find(hwnd);
    if (!window) {
        return false;
    }
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        window->SetStaysOnTop(insertAfter == HWND_TOPMOST);
    }
    return true;
}

namespace {
// Each look at the pointer, with QT_LOGGING_RULES="zorvin.pointer.debug=true": whether the ticks
// keep their period whatever the compositor does.
Q_LOGGING_CATEGORY(lcPointer, "zorvin.pointer", QtWarningMsg)
}  // namespace

bool QtPlatform::GetCursorPos(Point& point) {
    qCDebug(lcPointer, "looked");
    if (!pointer_) {
        pointer_ = std::make_unique<DesktopPointer>(tickMs_, [this] { Changed(); });
    }
    const QPoint cursor = pointer_->Position();
    point = {cursor.x(), cursor.y()};
    return true;
}

bool QtPlatform::ScreenToClient(Hwnd hwnd, Point& point) {
    QtWindow* window = Find(hwnd);
    if (!window) {
        return false;
    }
    const QPoint client = window->ScreenToClient({point.x, point.y});
    point = {client.x(), client.y()};
    return true;
}

// The text comes in the system's 8-bit encoding; the desktop's opener takes it from here.
std::intptr_t QtPlatform::ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                        const char* /*parameters*/, const char* /*directory*/,
                                        std::int32_t /*showCmd*/) {
    if (QtWindow* window = Find(hwnd); window && !window->core().mayOpen()) {
        return kOpenRefused;
    }
    if (!file || (operation && QString::fromLocal8Bit(operation) != QStringLiteral("open"))) {
        return kShellNoAssociation;
    }
    return QDesktopServices::openUrl(QUrl(QString::fromLocal8Bit(file))) ? kShellOpened
                                                                         : kShellNoAssociation;
}

}  // namespace zorvin::qt
