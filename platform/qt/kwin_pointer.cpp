#include "platform/qt/kwin_pointer.h"

#include <utility>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace zorvin::qt {
namespace {

const QString kKWinService = QStringLiteral("org.kde.KWin");
const QString kScriptingPath = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
// KWin knows the script by this name, across runs: a run that crashed left it loaded.
const QString kScriptName = QStringLiteral("zorvin-pointer");
const QString kPath = QStringLiteral("/org/example/zorvin/KWinPointer");
const QString kInterface = QStringLiteral("org.example.zorvin.KWinPointer");
// Waiting longer for KWin would stall the face.
constexpr int kCallTimeoutMs = 2000;
// How many ticks a KWin that came back has to become ready for the script.
constexpr int kReloadAttempts = 100;

QDBusMessage ScriptingCall(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kKWinService, kScriptingPath, kScriptingInterface, method);
    call.setArguments(arguments);
    return call;
}

QString ScriptText(const QString& service, int tickMs) {
    QFile source(QStringLiteral(":/zorvin/kwin_pointer.js"));
    source.open(QIODevice::ReadOnly);
    return QString::fromUtf8(source.readAll())
        .replace(QStringLiteral("@SERVICE@"), service)
        .replace(QStringLiteral("@PATH@"), kPath)
        .replace(QStringLiteral("@INTERFACE@"), kInterface)
        .replace(QStringLiteral("@TICK@"), QString::number(tickMs));
}

std::optional<QString> WriteScript(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 ||
        !file.flush()) {
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    return std::nullopt;
}

}  // namespace

KWinPointer::KWinPointer(QDBusConnection bus, int tickMs)
    : bus_(std::move(bus)),
      tickMs_(tickMs),
      kwin_(kKWinService, bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    kwinOwner_ = bus_.interface()->serviceOwner(kKWinService).value();
    bus_.registerVirtualObject(kPath, this);
    // A KWin that restarts has lost the script; until it is back, X11 tells where the pointer is.
    // KWin takes its name on the bus before it can load scripts: the script goes in at the next
    // ticks, once KWin takes it.
    QObject::connect(&kwin_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                     [this](const QString&, const QString&, const QString& owner) {
                         kwinOwner_ = owner;
                         last_.reset();
                         reloadAttempts_ = owner.isEmpty() ? 0 : kReloadAttempts;
                         ReportMoved();
                     });
}

KWinPointer::~KWinPointer() {
    Unload();
    bus_.unregisterObject(kPath);
}

std::optional<QString> KWinPointer::Load() {
    last_.reset();
    Unload();
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString path = directory + QStringLiteral("/zorvin-kwin-pointer.js");
    if (auto problem = WriteScript(path, ScriptText(bus_.baseService(), tickMs_))) {
        return problem;
    }
    const QDBusReply<int> id =
        bus_.call(ScriptingCall(QStringLiteral("loadScript"), {path, kScriptName}), QDBus::Block,
                  kCallTimeoutMs);
    if (!id.isValid()) {
        return id.error().message();
    }
    if (id.value() < 0) {
        return QStringLiteral("KWin refused the script");
    }
    const QDBusMessage started =
        bus_.call(ScriptingCall(QStringLiteral("start")), QDBus::Block, kCallTimeoutMs);
    if (started.type() == QDBusMessage::ErrorMessage) {
        return started.errorMessage();
    }
    return std::nullopt;
}

void KWinPointer::Unload() {
    bus_.call(ScriptingCall(QStringLiteral("unloadScript"), {kScriptName}), QDBus::Block,
              kCallTimeoutMs);
}

std::optional<QPoint> KWinPointer::Position() {
    if (reloadAttempts_ > 0) {
        --reloadAttempts_;
        if (!Load()) {
            reloadAttempts_ = 0;
        }
        ReportMoved();  // for the next attempt's tick, or the first with the script back
    }
    if (!last_) {
        return std::nullopt;
    }
    return ToDesktop(*last_, QGuiApplication::primaryScreen()->virtualSize());
}

QString KWinPointer::introspect(const QString& /*path*/) const {
    return QStringLiteral(R"(<interface name="%1"><method name="Moved">)"
                          R"(<arg name="x" type="i" direction="in"/>)"
                          R"(<arg name="y" type="i" direction="in"/>)"
                          R"(<arg name="width" type="i" direction="in"/>)"
                          R"(<arg name="height" type="i" direction="in"/>)"
                          R"(</method></interface>)")
        .arg(kInterface);
}

// Only KWin's own calls count; the script sends no more than one per tick.
bool KWinPointer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.member() != QStringLiteral("Moved") ||
        message.signature() != QStringLiteral("iiii") || message.service() != kwinOwner_) {
        return false;
    }
    const QVariantList arguments = message.arguments();
    last_ = CompositorPosition{arguments[0].toInt(), arguments[1].toInt(), arguments[2].toInt(),
                               arguments[3].toInt()};
    ReportMoved();
    if (message.isReplyRequired()) {
        connection.send(message.createReply());
    }
    return true;
}

}  // namespace zorvin::qt
