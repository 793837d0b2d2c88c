// The pointer from GNOME Shell, for GNOME's Wayland sessions: Zorvin's Shell extension publishes
// it on the session bus, and this source asks once per tick while the extension is there. The
// answer comes back while the program waits for its next tick, so the Shell never holds the face
// up, and a tick tells the place the previous one asked for. When the extension is turned off the
// source tells nothing; when it is turned on again it is asked again.
#pragma once

#include <optional>

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include "platform/qt/compositor_position.h"
#include "platform/qt/pointer_source.h"

namespace zorvin::qt {

class GnomeShellPointer final : public QObject, public PointerSource {
  public:
    explicit GnomeShellPointer(QDBusConnection bus);

    // Whether the extension is running now.
    bool present() const { return present_; }
    // The command that turns the extension on.
    static const char* EnableCommand();

    std::optional<QPoint> Position() override;

  private:
    void Ask();

    QDBusConnection bus_;
    QDBusServiceWatcher extension_;
    bool present_;
    bool asking_ = false;
    std::optional<CompositorPosition> last_;
};

}  // namespace zorvin::qt
