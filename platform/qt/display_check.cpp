#include "platform/qt/display_check.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>

namespace zorvin::qt {

std::optional<std::string> DisplayProblem() {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
            return "no X display: this Wayland session offers no XWayland (DISPLAY is not set)";
        }
        return "no display: DISPLAY is not set; Zorvin needs an X11 desktop";
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) {
        return "cannot open display \"" + display.toStdString() + "\"";
    }
    return std::nullopt;
}

}  // namespace zorvin::qt
