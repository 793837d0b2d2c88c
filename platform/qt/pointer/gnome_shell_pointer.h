// The pointer from GNOME Shell, for GNOME's Wayland sessions. Zorvin's Shell extension tells it
// only to programs that subscribe: this source subscribes whenever the extension appears on the
// session bus, learns the pointer's place from the answer, and then from the extension's calls
// while the pointer moves (at most one per tick; none while it is still). Nothing waits on the
// Shell. While the extension is off the source tells nothing.
#pragma once

#include <optional>

#include <QDBusConnection>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QString>

#include "platform/qt/pointer/compositor_report.h"
#include "platform/qt/pointer/pointer_source.h"

namespace zorvin::qt {

class GnomeShellPointer final : public QDBusVirtualObject, public PointerSource {
  public:
    explicit GnomeShellPointer(QDBusConnection bus);
    ~GnomeShellPointer() override;

    // Whether the extension is running now.
    bool present() const { return !extensionOwner_.isEmpty(); }
    // The command that turns the extension on.
    static const char* EnableCommand();

    std::optional<QPoint> Position() override;

    // QDBusVirtualObject: the extension's calls.
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    void Subscribe();
    void Subscribed(const QDBusPendingReply<int, int, QString>& answer);

    QDBusConnection bus_;
    QDBusServiceWatcher extension_;
    // The Shell's unique name while the extension runs: only its calls are the extension's.
    QString extensionOwner_;
    // Counts subscriptions, so that the answer to one the extension dropped is not taken.
    unsigned subscription_ = 0;
    // What the extension told last: the pointer and the Shell's monitors, in its stage's pixels.
    std::optional<CompositorReport> last_;
};

}  // namespace zorvin::qt
