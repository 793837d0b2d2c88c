#include "platform/qt/pointer/x11_look.h"

#include <cstdio>
#include <utility>

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

namespace zorvin::qt {
namespace {

// Each look, with QT_LOGGING_RULES="zorvin.look.debug=true" (the ticks' reads are
// zorvin.pointer's); the helper writes these lines itself.
Q_LOGGING_CATEGORY(lcLook, "zorvin.look", QtWarningMsg)

// Where it is installed, in the libexec folder, before beside the program, as in its build tree:
// an installed program runs its own helper whatever else its folder holds. Only a program file.
QString HelperPath() {
    const QString programs = QCoreApplication::applicationDirPath();
    for (const QString& path : {programs + QStringLiteral("/" ZORVIN_LOOK_FROM_PROGRAM),
                                programs + QStringLiteral("/zorvin-look")}) {
        const QFileInfo file(path);
        if (file.isFile() && file.isExecutable()) {
            return path;
        }
    }
    return {};
}

void Say(const QString& what) {
    std::fprintf(stderr, "zorvin: %s: the timers look at the pointer instead\n",
                 what.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace

X11Look::X11Look(std::chrono::milliseconds period, std::function<void(bool)> looking,
                 std::function<void()> warped, std::function<void()> found)
    : looking_(std::move(looking)), warped_(std::move(warped)), found_(std::move(found)) {
    const QString path = HelperPath();
    if (path.isEmpty()) {
        End(QStringLiteral("zorvin-look is missing"));
        return;
    }
    helper_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&helper_, &QProcess::readyReadStandardOutput, [this] { Read(); });
    QObject::connect(&helper_, &QProcess::finished, [this](int code, QProcess::ExitStatus status) {
        End(status == QProcess::CrashExit
                ? QStringLiteral("zorvin-look crashed")
                : QStringLiteral("zorvin-look ended (exit status %1)").arg(code));
    });
    QObject::connect(&helper_, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            End(QStringLiteral("zorvin-look could not start (%1)").arg(helper_.errorString()));
        }
    });
    QStringList arguments{QString::number(period.count())};
    if (lcLook().isDebugEnabled()) {
        arguments << QStringLiteral("--log");
    }
    helper_.start(path, arguments);
}

// The helper ends when the program goes away; it is not left to notice.
X11Look::~X11Look() {
    QObject::disconnect(&helper_, nullptr, nullptr, nullptr);
    helper_.kill();
    helper_.waitForFinished();
}

// Only when it changed: a still pointer writes nothing, and wakes nobody.
void X11Look::Saw(QPoint place) {
    if (ended_ || place == told_) {
        return;
    }
    told_ = place;
    helper_.write(QByteArray::number(place.x()) + ' ' + QByteArray::number(place.y()) + '\n');
}

void X11Look::Read() {
    const QByteArray news = helper_.readAllStandardOutput();
    if (!running_ && news.startsWith('r')) {
        running_ = true;
        looking_(true);
    }
    if (news.contains('w')) {
        warped_();
    }
    if (news.contains('l')) {
        found_();
    }
}

void X11Look::End(const QString& why) {
    if (ended_) {
        return;
    }
    ended_ = true;
    Say(why);
    if (running_) {
        running_ = false;
        looking_(false);
    }
}

}  // namespace zorvin::qt
