// The pointer from KWin, for Plasma's Wayland sessions. A script, embedded in the program, is
// loaded into KWin over D-Bus and calls this object back when the pointer moves. When KWin goes
// away the source tells nothing; when it comes back the script is loaded again.
#pragma once

#include <optional>

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QString>

#include "platform/qt/compositor_position.h"
#include "platform/qt/pointer_source.h"

namespace zorvin::qt {

class KWinPointer final : public QDBusVirtualObject, public PointerSource {
  public:
    // Reports the pointer at most once per `tickMs` while it moves.
    KWinPointer(QDBusConnection bus, int tickMs);
    // Unloads the script.
    ~KWinPointer() override;

    // Loads the script into KWin, first unloading any left under its name by an earlier run;
    // returns why it could not, or nothing.
    std::optional<QString> Load();

    std::optional<QPoint> Position() override;

    // QDBusVirtualObject: the script's calls.
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    void Unload();

    QDBusConnection bus_;
    int tickMs_;
    QDBusServiceWatcher kwin_;
    // KWin's unique name on the bus: only its calls are the script's.
    QString kwinOwner_;
    std::optional<CompositorPosition> last_;
    // Ticks left to load the script into a KWin that came back.
    int reloadAttempts_ = 0;
};

}  // namespace zorvin::qt
