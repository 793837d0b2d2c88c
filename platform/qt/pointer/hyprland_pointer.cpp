#include "platform/qt/pointer/hyprland_pointer.h"

#include <algorithm>
#include <utility>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStringList>
#include <QTimer>

#include "platform/qt/pointer/hyprland_answers.h"

namespace zorvin::qt {
namespace {

// A question Hyprland has not answered within this is dropped; the next tick asks again.
constexpr int kAnswerTimeoutMs = 5000;
// Monitors come, go and change their scale without a word to this program: they are asked again
// this often while the pointer is followed, and as soon as it is on none of them.
constexpr qint64 kMonitorsMs = 3000;
// The monitors of any real desktop fit in far less; a peer that sends more is not Hyprland.
constexpr qsizetype kLongestAnswer = 1 << 20;

class SocketPointer final : public HyprlandPointer {
  public:
    SocketPointer(QString path, int tickMs) : path_(std::move(path)) {
        ticks_.setInterval(tickMs);
        QObject::connect(&ticks_, &QTimer::timeout, &ticks_, [this] { Ask(); });
    }
    ~SocketPointer() override { Drop(false); }

    std::optional<QPoint> Position() override {
        if (!pointer_) {
            return std::nullopt;
        }
        return ToDesktop(*pointer_, monitors_, ProgramScreens());
    }

    // An answer from before the pointer came back over X11's windows would be stale by the time
    // it is away again, so it is forgotten; X11's last sight of the pointer serves until Hyprland
    // answers anew.
    void Follow(bool away) override {
        if (away == ticks_.isActive()) {
            return;
        }
        if (away) {
            ticks_.start();
            Ask();
        } else {
            ticks_.stop();
            pointer_.reset();
        }
    }

  private:
    void Ask() {
        if (asking_) {
            return;
        }
        askingMonitors_ =
            offMonitors_ || !monitorsAsked_.isValid() || monitorsAsked_.hasExpired(kMonitorsMs);
        if (askingMonitors_) {
            monitorsAsked_.start();
        }
        const QByteArray request = askingMonitors_ ? "j/monitors" : "j/cursorpos";
        answer_.clear();
        auto* socket = asking_ = new QLocalSocket;
        QObject::connect(socket, &QLocalSocket::connected, socket,
                         [socket, request] { socket->write(request); });
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            answer_ += socket->readAll();
            if (answer_.size() > kLongestAnswer) {
                Drop(true);
            }
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, [this] { Answered(); });
        QObject::connect(socket, &QLocalSocket::errorOccurred, socket,
                         [this](QLocalSocket::LocalSocketError error) { Failed(error); });
        QTimer::singleShot(kAnswerTimeoutMs, socket, [this, socket] {
            if (asking_ == socket) {
                Drop(true);
            }
        });
        socket->connectToServer(path_);
    }

    // Hyprland ends each answer by closing the connection.
    void Answered() {
        const QByteArray answer = answer_ + asking_->readAll();
        Drop(true);
        if (askingMonitors_) {
            monitors_ = HyprlandMonitors(answer);
            if (ticks_.isActive()) {
                Ask();
            }
            return;
        }
        const auto pointer = HyprlandCursor(answer);
        if (!pointer || !ticks_.isActive()) {
            return;
        }
        offMonitors_ = std::none_of(monitors_.begin(), monitors_.end(),
                                    [&](const NamedRect& m) { return m.rect.contains(*pointer); });
        if (pointer != pointer_) {
            pointer_ = pointer;
            ReportMoved();
        }
    }

    // The peer's close is the end of an answer, not a failure. No Hyprland listening any more
    // (it ended, or its socket went) leaves the pointer to X11 until one answers again.
    void Failed(QLocalSocket::LocalSocketError error) {
        if (error == QLocalSocket::PeerClosedError) {
            return;
        }
        Drop(true);
        if ((error == QLocalSocket::ServerNotFoundError ||
             error == QLocalSocket::ConnectionRefusedError) &&
            pointer_) {
            pointer_.reset();
            ReportMoved();
        }
    }

    // From within the socket's own signals it can only be deleted later; nothing it emits after
    // this counts.
    void Drop(bool later) {
        if (!asking_) {
            return;
        }
        QLocalSocket* socket = std::exchange(asking_, nullptr);
        socket->disconnect();
        socket->abort();
        if (later) {
            socket->deleteLater();
        } else {
            delete socket;
        }
    }

    const QString path_;
    QTimer ticks_;
    // The question in flight, if any, and what has come of its answer so far.
    QLocalSocket* asking_ = nullptr;
    bool askingMonitors_ = false;
    QByteArray answer_;
    QElapsedTimer monitorsAsked_;
    std::vector<NamedRect> monitors_;
    bool offMonitors_ = false;
    // Hyprland's last answer, in its logical layout.
    std::optional<QPoint> pointer_;
};

}  // namespace

std::unique_ptr<HyprlandPointer> HyprlandPointer::OfSession(int tickMs) {
    const QString signature = qEnvironmentVariable("HYPRLAND_INSTANCE_SIGNATURE");
    if (signature.isEmpty()) {
        return nullptr;
    }
    // Older releases of Hyprland keep their sockets under /tmp.
    QStringList places;
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); !runtime.isEmpty()) {
        places << runtime;
    }
    places << QStringLiteral("/tmp");
    for (const QString& place : places) {
        const QString path =
            place + QStringLiteral("/hypr/") + signature + QStringLiteral("/.socket.sock");
        if (QFileInfo::exists(path)) {
            return std::make_unique<SocketPointer>(path, tickMs);
        }
    }
    return nullptr;
}

}  // namespace zorvin::qt
