#include "platform/qt/pointer/desktop_pointer.h"

#include <cstdio>
#include <utility>

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QString>
#include <QtGlobal>

#include "platform/qt/pointer/gnome_shell_pointer.h"
#include "platform/qt/pointer/kwin_pointer.h"

namespace zorvin::qt {
namespace {

constexpr const char* kOnlyOverX11 = "the pupils follow the pointer only over X11 windows";

bool IsWaylandSession() {
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
}

void Explain(const QString& why) {
    std::fprintf(stderr, "zorvin: %s\n", why.toLocal8Bit().constData());
    std::fflush(stderr);
}

std::unique_ptr<PointerSource> CompositorSource(int tickMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (names && names->isServiceRegistered(QStringLiteral("org.kde.KWin")).value()) {
        auto kwin = std::make_unique<KWinPointer>(bus, tickMs, [](const QString& problem) {
            Explain(QStringLiteral("KWin did not run Zorvin's pointer script (%1), so %2")
                        .arg(problem, QLatin1String(kOnlyOverX11)));
        });
        kwin->Load();
        return kwin;
    }
    if (names && names->isServiceRegistered(QStringLiteral("org.gnome.Shell")).value()) {
        auto shell = std::make_unique<GnomeShellPointer>(bus);
        if (!shell->present()) {
            Explain(QStringLiteral("GNOME Shell tells Zorvin where the pointer is only through "
                                   "Zorvin's Shell extension, so until it is enabled %1; enable "
                                   "it with \"%2\" and log in again")
                        .arg(QLatin1String(kOnlyOverX11),
                             QLatin1String(GnomeShellPointer::EnableCommand())));
        }
        return shell;
    }
    Explain(QStringLiteral("this Wayland desktop tells no program where the pointer is, so %1")
                .arg(QLatin1String(kOnlyOverX11)));
    return nullptr;
}

}  // namespace

DesktopPointer::DesktopPointer(int tickMs, const std::function<void()>& moved,
                               std::function<void(QPoint)> sawOnX11)
    : sawOnX11_(std::move(sawOnX11)),
      compositor_(IsWaylandSession() ? CompositorSource(tickMs) : nullptr) {
    if (compositor_) {
        compositor_->OnMoved(moved);
    }
}

QPoint DesktopPointer::Position() {
    if (compositor_) {
        if (const auto position = compositor_->Position()) {
            return *position;
        }
    }
    const QPoint position = *x11_.Position();
    sawOnX11_(position);
    return position;
}

}  // namespace zorvin::qt
