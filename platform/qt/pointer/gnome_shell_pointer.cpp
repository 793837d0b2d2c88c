#include "platform/qt/pointer/gnome_shell_pointer.h"

#include <cstdio>
#include <utility>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace zorvin::qt {
namespace {

const QString kService = QStringLiteral(ZORVIN_SHELL_POINTER_SERVICE);
const QString kPath = QStringLiteral(ZORVIN_SHELL_POINTER_PATH);
// A Shell that does not answer within this is not waited for; the extension is subscribed to
// again when it next appears.
constexpr int kCallTimeoutMs = 5000;

}  // namespace

GnomeShellPointer::GnomeShellPointer(QDBusConnection bus)
    : bus_(std::move(bus)),
      extension_(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange),
      extensionOwner_(bus_.interface()->serviceOwner(kService).value()) {
    bus_.registerVirtualObject(kPath, this);
    // An extension turned off forgets its subscribers; the one turned on again is subscribed to.
    QObject::connect(&extension_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                     [this](const QString&, const QString&, const QString& owner) {
                         extensionOwner_ = owner;
                         last_.reset();
                         Subscribe();
                         ReportMoved();
                     });
    Subscribe();
}

GnomeShellPointer::~GnomeShellPointer() {
    bus_.unregisterObject(kPath);
}

const char* GnomeShellPointer::EnableCommand() {
    return "gnome-extensions enable " ZORVIN_GNOME_EXTENSION_UUID;
}

std::optional<QPoint> GnomeShellPointer::Position() {
    if (!last_) {
        return std::nullopt;
    }
    return ToDesktop(last_->pointer, last_->outputs, ProgramScreens());
}

void GnomeShellPointer::Subscribe() {
    const unsigned subscription = ++subscription_;
    if (!present()) {
        return;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        extensionOwner_, kPath, QStringLiteral(ZORVIN_SHELL_POINTER_INTERFACE),
        QStringLiteral("Subscribe"));
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, this,
                     [this, subscription](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (subscription == subscription_) {
                             Subscribed(*finished);
                         }
                     });
}

void GnomeShellPointer::Subscribed(const QDBusPendingReply<int, int, QString>& answer) {
    if (answer.isError()) {
        std::fprintf(stderr,
                     "zorvin: GNOME Shell's Zorvin extension refused to tell the pointer (%s), so "
                     "the pupils follow it only over X11 windows\n",
                     answer.error().message().toLocal8Bit().constData());
        std::fflush(stderr);
        return;
    }
    // A move the extension told since it answered is newer than the answer.
    if (!last_) {
        last_ = CompositorReport{QPoint(answer.argumentAt<0>(), answer.argumentAt<1>()),
                                 ParseOutputs(answer.argumentAt<2>())};
        ReportMoved();
    }
}

QString GnomeShellPointer::introspect(const QString& /*path*/) const {
    return ReportCallInterface(QStringLiteral(ZORVIN_SHELL_POINTER_SUBSCRIBER_INTERFACE));
}

// Only the Shell's own calls count.
bool GnomeShellPointer::handleMessage(const QDBusMessage& message,
                                      const QDBusConnection& connection) {
    if (!IsReportCall(message.member(), message.signature()) ||
        message.service() != extensionOwner_ || extensionOwner_.isEmpty()) {
        return false;
    }
    last_ = ReportOf(message.arguments());
    ReportMoved();
    if (message.isReplyRequired()) {
        connection.send(message.createReply());
    }
    return true;
}

}  // namespace zorvin::qt
