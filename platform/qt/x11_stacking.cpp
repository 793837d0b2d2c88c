#include "platform/qt/x11_stacking.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include <QGuiApplication>
#include <QWidget>

namespace zorvin::qt {
namespace {

// The values of a _NET_WM_STATE request (Extended Window Manager Hints).
constexpr std::uint32_t kNetWmStateRemove = 0;
constexpr std::uint32_t kNetWmStateAdd = 1;
constexpr std::uint32_t kSourceApplication = 1;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
    xcb_query_tree_reply_t* reply =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    const xcb_window_t root = reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
    std::free(reply);
    return root;
}

}  // namespace

void SetStaysOnTop(QWidget& window, bool on) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const auto xid = static_cast<xcb_window_t>(window.winId());

    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = xid;
    request.type = Atom(connection, "_NET_WM_STATE");
    request.data.data32[0] = on ? kNetWmStateAdd : kNetWmStateRemove;
    request.data.data32[1] = Atom(connection, "_NET_WM_STATE_ABOVE");
    request.data.data32[3] = kSourceApplication;
    xcb_send_event(connection, 0, RootOf(connection, xid),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

}  // namespace zorvin::qt
