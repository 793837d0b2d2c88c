#include "platform/qt/pointer/x11_look.h"

#include <utility>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

namespace zorvin::qt {
namespace {

// Each look, with QT_LOGGING_RULES="zorvin.look.debug=true" (the ticks' reads are
// zorvin.pointer's); the helper writes these lines itself.
Q_LOGGING_CATEGORY(lcLook, "zorvin.look", QtWarningMsg)

// Beside the program in its build tree, and in the libexec folder where it is installed.
QString HelperPath() {
    const QString programs = QCoreApplication::applicationDirPath();
    for (const QString& path : {programs + QStringLiteral("/zorvin-look"),
                                programs + QStringLiteral("/" ZORVIN_LOOK_FROM_PROGRAM)}) {
        if (QFileInfo(path).isExecutable()) {
            return path;
        }
    }
    return {};
}

}  // namespace

X11Look::X11Look(std::chrono::milliseconds period, std::function<void(bool)> looking,
                 std::function<void()> moved)
    : looking_(std::move(looking)), moved_(std::move(moved)) {
    const QString path = HelperPath();
    if (path.isEmpty()) {
        qCWarning(lcLook, "zorvin-look is missing: the timers look at the pointer instead");
        return;
    }
    helper_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper_.setStandardInputFile(QProcess::nullDevice());
    QObject::connect(&helper_, &QProcess::readyReadStandardOutput, [this] { Read(); });
    QObject::connect(&helper_, &QProcess::finished, [this] { End(); });
    QStringList arguments{QString::number(period.count())};
    if (lcLook().isDebugEnabled()) {
        arguments << QStringLiteral("--log");
    }
    helper_.start(path, arguments, QIODevice::ReadOnly);
}

// The helper ends when its output's reader goes away; it is not left to wait for that.
X11Look::~X11Look() {
    QObject::disconnect(&helper_, nullptr, nullptr, nullptr);
    helper_.kill();
    helper_.waitForFinished();
}

// Its first byte says that the looks run, each later one that the pointer moved.
void X11Look::Read() {
    const bool first = !running_;
    const qint64 news = helper_.readAllStandardOutput().size();
    if (first && news > 0) {
        running_ = true;
        looking_(true);
    }
    if (news > (first ? 1 : 0)) {
        moved_();
    }
}

void X11Look::End() {
    if (running_) {
        running_ = false;
        looking_(false);
    }
}

}  // namespace zorvin::qt
