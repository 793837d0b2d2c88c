#include "platform/qt/gnome_shell_pointer.h"

#include <utility>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/compositor_position.h"

namespace zorvin::qt {
namespace {

const QString kService = QStringLiteral(ZORVIN_SHELL_POINTER_SERVICE);
// The Shell answers at once; a Shell too busy to answer within this costs one tick's position.
constexpr int kCallTimeoutMs = 50;

}  // namespace

GnomeShellPointer::GnomeShellPointer(QDBusConnection bus)
    : bus_(std::move(bus)),
      extension_(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange),
      present_(bus_.interface()->isServiceRegistered(kService).value()) {
    QObject::connect(&extension_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                     [this](const QString&, const QString&, const QString& owner) {
                         present_ = !owner.isEmpty();
                     });
}

const char* GnomeShellPointer::EnableCommand() {
    return "gnome-extensions enable " ZORVIN_GNOME_EXTENSION_UUID;
}

std::optional<QPoint> GnomeShellPointer::Position() {
    if (!present_) {
        return std::nullopt;
    }
    const QDBusMessage reply =
        bus_.call(QDBusMessage::createMethodCall(
                      kService, QStringLiteral(ZORVIN_SHELL_POINTER_PATH),
                      QStringLiteral(ZORVIN_SHELL_POINTER_INTERFACE), QStringLiteral("Position")),
                  QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QStringLiteral("iiii")) {
        return std::nullopt;
    }
    const QVariantList values = reply.arguments();
    return ToDesktop({values[0].toInt(), values[1].toInt(), values[2].toInt(), values[3].toInt()},
                     QGuiApplication::primaryScreen()->virtualSize());
}

}  // namespace zorvin::qt
