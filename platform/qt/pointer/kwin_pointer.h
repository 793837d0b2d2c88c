// The pointer from KWin, for Plasma's Wayland sessions. A script, embedded in the program, is
// loaded into KWin over D-Bus and calls this object back when the pointer moves. Each running
// Zorvin loads a script of its own, named after its unique name on the bus, and removes it when it
// ends; at start it removes the scripts of Zorvins that ended without doing so. A script whose
// Zorvin has left the bus unloads itself at the next move, whoever is left to remove it.
//
// No call waits for KWin: a KWin that answers late holds nothing up, one that does not answer at
// all leaves the pointer to X11 (and is told about once), and the script's calls, whenever they
// come, count again. When KWin goes away the source tells nothing; when it comes back the script
// is loaded again.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QString>

#include "platform/qt/pointer/compositor_report.h"
#include "platform/qt/pointer/pointer_source.h"

class QDBusMessage;

namespace zorvin::qt {

class KWinPointer final : public QDBusVirtualObject, public PointerSource {
  public:
    // Reports the pointer at most once per `tickMs` while it moves. `explain` is told, once, why
    // KWin does not report the pointer. Starts removing the scripts of Zorvins that have ended.
    KWinPointer(QDBusConnection bus, int tickMs, std::function<void(const QString&)> explain);
    // Unloads this instance's script, waiting a short while at most for KWin to take the call.
    ~KWinPointer() override;

    // Starts loading the script into KWin.
    void Load();

    std::optional<QPoint> Position() override;

    // QDBusVirtualObject: the script's calls.
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    void RemoveStaleScripts();
    void Failed(const QDBusMessage& answer);
    void Explain(const QString& why);

    QDBusConnection bus_;
    int tickMs_;
    std::function<void(const QString&)> explain_;
    QString scriptName_;
    QString scriptPath_;
    QDBusServiceWatcher kwin_;
    // KWin's unique name on the bus: only its calls are the script's.
    QString kwinOwner_;
    // Which KWin the calls in flight went to: answers from one that has gone since do not count.
    int kwinGeneration_ = 0;
    bool loading_ = false;
    bool explained_ = false;
    // What the script reported last.
    std::optional<CompositorReport> last_;
    // A report that came before the bus told KWin's name, with its sender's.
    std::optional<std::pair<QString, CompositorReport>> unconfirmed_;
    // Ticks left to load the script into a KWin that came back.
    int reloadAttempts_ = 0;
};

}  // namespace zorvin::qt
