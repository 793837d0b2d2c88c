#include "platform/qt/pointer/kwin_pointer.h"

#include <memory>
#include <utility>

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace zorvin::qt {
namespace {

const QString kKWinService = QStringLiteral("org.kde.KWin");
const QString kScriptingPath = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
// Each Zorvin's script is this followed by its unique name on the bus; so is its file's name.
const QString kScriptPrefix = QStringLiteral("zorvin-pointer-");
const QString kScriptSuffix = QStringLiteral(".js");
const QString kPath = QStringLiteral("/org/example/zorvin/KWinPointer");
const QString kInterface = QStringLiteral("org.example.zorvin.KWinPointer");
// How long KWin may take to answer before the user is told that the pointer is left to X11. A
// later answer, and the script's calls, still count.
constexpr int kAnswerTimeoutMs = 10000;
// How long the program waits at its end for KWin to take the script's removal.
constexpr int kExitWaitMs = 500;
// How many ticks a KWin that came back has to become ready for the script.
constexpr int kReloadAttempts = 100;

QDBusMessage ScriptingCall(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kKWinService, kScriptingPath, kScriptingInterface, method);
    call.setArguments(arguments);
    return call;
}

QDBusMessage BusCall(const QString& method, const QString& name) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments({name});
    return call;
}

// Calls without waiting; `answered` gets the reply or the error, on the event loop.
void Call(QDBusConnection& bus, QObject* context, const QDBusMessage& call,
          std::function<void(const QDBusMessage&)> answered) {
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call, kAnswerTimeoutMs), context);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, context,
                     [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         answered(finished->reply());
                     });
}

QString ScriptDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

// The script is built into the program; a build that lacks it leaves the pointer to X11.
std::optional<QString> ScriptText(const QString& service, int tickMs) {
    QFile source(QStringLiteral(":/zorvin/kwin_pointer.js"));
    if (!source.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return QString::fromUtf8(source.readAll())
        .replace(QStringLiteral("@SERVICE@"), service)
        .replace(QStringLiteral("@SCRIPT@"), kScriptPrefix + service)
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

KWinPointer::KWinPointer(QDBusConnection bus, int tickMs,
                         std::function<void(const QString&)> explain)
    : bus_(std::move(bus)),
      tickMs_(tickMs),
      explain_(std::move(explain)),
      scriptName_(kScriptPrefix + bus_.baseService()),
      scriptPath_(ScriptDirectory() + u'/' + scriptName_ + kScriptSuffix),
      kwin_(kKWinService, bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    bus_.registerVirtualObject(kPath, this);
    // Qt may hand the script's first calls over before this answer: they wait for it.
    Call(bus_, this, BusCall(QStringLiteral("GetNameOwner"), kKWinService),
         [this](const QDBusMessage& answer) {
             if (kwinOwner_.isEmpty() && answer.type() == QDBusMessage::ReplyMessage) {
                 kwinOwner_ = answer.arguments().value(0).toString();
                 if (unconfirmed_ && unconfirmed_->first == kwinOwner_) {
                     last_ = unconfirmed_->second;
                     ReportMoved();
                 }
             }
             unconfirmed_.reset();
         });
    // A KWin that restarts has lost the script; until it is back, X11 tells where the pointer is.
    // KWin takes its name on the bus before it can load scripts: the script goes in at the next
    // ticks, once KWin takes it.
    QObject::connect(&kwin_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                     [this](const QString&, const QString&, const QString& owner) {
                         kwinOwner_ = owner;
                         last_.reset();
                         unconfirmed_.reset();
                         ++kwinGeneration_;
                         loading_ = false;
                         reloadAttempts_ = owner.isEmpty() ? 0 : kReloadAttempts;
                         ReportMoved();
                     });
    RemoveStaleScripts();
}

// Whether or not KWin's name is known yet: the script may be loaded all the same.
KWinPointer::~KWinPointer() {
    bus_.asyncCall(ScriptingCall(QStringLiteral("unloadScript"), {scriptName_}), kExitWaitMs)
        .waitForFinished();
    QFile::remove(scriptPath_);
    bus_.unregisterObject(kPath);
}

// The script of a Zorvin that ended without removing it (it crashed, or was killed) calls nobody
// now; its file tells its name.
void KWinPointer::RemoveStaleScripts() {
    const QStringList files =
        QDir(ScriptDirectory()).entryList({kScriptPrefix + u'*' + kScriptSuffix}, QDir::Files);
    for (const QString& file : files) {
        const QString name = file.chopped(kScriptSuffix.size());
        const QString owner = name.mid(kScriptPrefix.size());
        if (name == scriptName_) {
            continue;
        }
        Call(bus_, this, BusCall(QStringLiteral("NameHasOwner"), owner),
             [this, name, file](const QDBusMessage& answer) {
                 if (answer.type() == QDBusMessage::ReplyMessage &&
                     !answer.arguments().value(0).toBool()) {
                     bus_.send(ScriptingCall(QStringLiteral("unloadScript"), {name}));
                     QFile::remove(ScriptDirectory() + u'/' + file);
                 }
             });
    }
}

// The three calls go out together, so that a KWin that is slow to take the first runs the script
// as soon as it gets to them, with nobody waiting meanwhile.
void KWinPointer::Load() {
    if (loading_) {
        return;
    }
    const std::optional<QString> script = ScriptText(bus_.baseService(), tickMs_);
    if (!script) {
        Explain(QStringLiteral("this build of Zorvin has no KWin script"));
        return;
    }
    if (auto problem = WriteScript(scriptPath_, *script)) {
        Explain(*problem);
        return;
    }
    loading_ = true;
    const int generation = kwinGeneration_;
    // A KWin that answered none of an earlier attempt's calls may still hold its script.
    bus_.send(ScriptingCall(QStringLiteral("unloadScript"), {scriptName_}));
    auto problem = std::make_shared<std::optional<QDBusMessage>>();
    Call(bus_, this, ScriptingCall(QStringLiteral("loadScript"), {scriptPath_, scriptName_}),
         [problem](const QDBusMessage& answer) {
             if (answer.type() == QDBusMessage::ErrorMessage ||
                 answer.arguments().value(0).toInt() < 0) {
                 *problem = answer;
             }
         });
    Call(bus_, this, ScriptingCall(QStringLiteral("start")),
         [this, generation, problem](const QDBusMessage& answer) {
             if (generation != kwinGeneration_) {
                 return;
             }
             loading_ = false;
             if (*problem) {
                 Failed(**problem);
             } else if (answer.type() == QDBusMessage::ErrorMessage) {
                 Failed(answer);
             } else {
                 reloadAttempts_ = 0;
             }
         });
}

void KWinPointer::Failed(const QDBusMessage& answer) {
    if (answer.type() != QDBusMessage::ErrorMessage) {
        Explain(QStringLiteral("KWin refused the script"));
    } else if (answer.errorName() == QStringLiteral("org.freedesktop.DBus.Error.NoReply")) {
        Explain(QStringLiteral("KWin did not answer within %1 s").arg(kAnswerTimeoutMs / 1000));
    } else if (reloadAttempts_ == 0) {
        Explain(answer.errorMessage());
    }
}

void KWinPointer::Explain(const QString& why) {
    if (!explained_) {
        explained_ = true;
        explain_(why);
    }
}

std::optional<QPoint> KWinPointer::Position() {
    if (reloadAttempts_ > 0 && !loading_) {
        --reloadAttempts_;
        Load();
        ReportMoved();  // for the next attempt's tick, or the first with the script back
    }
    if (!last_) {
        return std::nullopt;
    }
    return ToDesktop(last_->pointer, last_->outputs, ProgramScreens());
}

QString KWinPointer::introspect(const QString& /*path*/) const {
    return ReportCallInterface(kInterface);
}

// Only KWin's own calls count; the script sends no more than one per tick.
bool KWinPointer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (!IsReportCall(message.member(), message.signature()) ||
        (!kwinOwner_.isEmpty() && message.service() != kwinOwner_)) {
        return false;
    }
    CompositorReport report = ReportOf(message.arguments());
    if (kwinOwner_.isEmpty()) {
        unconfirmed_.emplace(message.service(), std::move(report));
    } else {
        last_ = std::move(report);
        explained_ = false;
        ReportMoved();
    }
    if (message.isReplyRequired()) {
        connection.send(message.createReply());
    }
    return true;
}

}  // namespace zorvin::qt
