#include "platform/qt/gnome_shell_pointer.h"

#include <utility>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QScreen>

namespace zorvin::qt {
namespace {

const QString kService = QStringLiteral(ZORVIN_SHELL_POINTER_SERVICE);
// A Shell that does not answer within this is asked again.
constexpr int kCallTimeoutMs = 1000;

}  // namespace

GnomeShellPointer::GnomeShellPointer(QDBusConnection bus)
    : bus_(std::move(bus)),
      extension_(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange),
      present_(bus_.interface()->isServiceRegistered(kService).value()) {
    QObject::connect(&extension_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                     [this](const QString&, const QString&, const QString& owner) {
                         present_ = !owner.isEmpty();
                         last_.reset();
                         ReportMoved();
                     });
}

const char* GnomeShellPointer::EnableCommand() {
    return "gnome-extensions enable " ZORVIN_GNOME_EXTENSION_UUID;
}

std::optional<QPoint> GnomeShellPointer::Position() {
    if (!present_) {
        return std::nullopt;
    }
    Ask();
    if (!last_) {
        return std::nullopt;
    }
    return ToDesktop(*last_, QGuiApplication::primaryScreen()->virtualSize());
}

// One question at a time: a slow Shell is not asked again before it answers.
void GnomeShellPointer::Ask() {
    if (asking_) {
        return;
    }
    asking_ = true;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kService, QStringLiteral(ZORVIN_SHELL_POINTER_PATH),
        QStringLiteral(ZORVIN_SHELL_POINTER_INTERFACE), QStringLiteral("Position"));
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, this,
                     [this](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         asking_ = false;
                         const QDBusPendingReply<int, int, int, int> reply = *finished;
                         if (present_ && reply.isValid()) {
                             last_ =
                                 CompositorPosition{reply.argumentAt<0>(), reply.argumentAt<1>(),
                                                    reply.argumentAt<2>(), reply.argumentAt<3>()};
                         }
                         // Asked once per tick, the Shell tells no move by itself: each answer
                         // brings the next tick, which asks again.
                         ReportMoved();
                     });
}

}  // namespace zorvin::qt
