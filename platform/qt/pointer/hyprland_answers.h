// Hyprland's answers on its control socket, for hyprland_pointer.cpp. Anything malformed
// is left out: what comes over the socket is not trusted to be Hyprland's.
#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QPoint>

#include "platform/qt/pointer/compositor_report.h"

namespace zorvin::qt {

// The answer to "j/cursorpos": the pointer in Hyprland's logical layout.
std::optional<QPoint> HyprlandCursor(const QByteArray& answer);

// The answer to "j/monitors": each monitor's place in the logical layout. Hyprland tells a
// monitor's size in physical pixels of its mode, before its turn; the layout holds it scaled and
// turned.
std::vector<NamedRect> HyprlandMonitors(const QByteArray& answer);

}  // namespace zorvin::qt
