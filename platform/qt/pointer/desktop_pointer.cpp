#include "platform/qt/pointer/desktop_pointer.h"

#include <cstdio>
#include <utility>

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QString>
#include <QtGlobal>

#include "platform/qt/pointer/cursor_session.h"
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

const QString kNoHelp =
    QStringLiteral("this Wayland desktop tells no program where the pointer is");

std::unique_ptr<PointerSource> DBusSource(int tickMs) {
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
    return nullptr;
}

}  // namespace

DesktopPointer::DesktopPointer(int tickMs, const std::function<void()>& moved,
                               std::function<void(QPoint)> sawOnX11)
    : sawOnX11_(std::move(sawOnX11)) {
    if (IsWaylandSession()) {
        ChooseCompositorSource(tickMs, moved);
    }
}

// KWin and GNOME Shell are known by their names on the bus; the others by what they offer.
void DesktopPointer::ChooseCompositorSource(int tickMs, const std::function<void()>& moved) {
    compositor_ = DBusSource(tickMs);
    hyprland_ = compositor_ ? nullptr : HyprlandPointer::OfSession(tickMs);
    if (!compositor_) {
        compositor_ = OpenCursorSession([hyprland = hyprland_ != nullptr](const char* why) {
            if (!hyprland) {
                Explain(QStringLiteral("%1 (%2), so %3")
                            .arg(kNoHelp, QLatin1String(why), QLatin1String(kOnlyOverX11)));
            }
        });
    }
    if (!compositor_ && !hyprland_) {
        Explain(QStringLiteral("%1, so %2").arg(kNoHelp, QLatin1String(kOnlyOverX11)));
    }
    for (PointerSource* source :
         {compositor_.get(), static_cast<PointerSource*>(hyprland_.get())}) {
        if (source) {
            source->OnMoved(moved);
        }
    }
}

QPoint DesktopPointer::Position() {
    if (compositor_) {
        if (const auto position = compositor_->Position()) {
            // A Hyprland with cursor sessions needs no questions on its socket.
            if (hyprland_) {
                hyprland_->Follow(false);
            }
            return *position;
        }
    }
    const QPoint position = *x11_.Position();
    if (hyprland_) {
        hyprland_->Follow(!x11_.overWindow());
        if (!x11_.overWindow()) {
            if (const auto told = hyprland_->Position()) {
                return *told;
            }
        }
    }
    sawOnX11_(position);
    return position;
}

}  // namespace zorvin::qt
