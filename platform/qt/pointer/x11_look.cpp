#include "platform/qt/pointer/x11_look.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include <QLoggingCategory>
#include <QMetaObject>

#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace zorvin::qt {
namespace {

// Each look, with QT_LOGGING_RULES="zorvin.look.debug=true" (the ticks' reads are
// zorvin.pointer's).
Q_LOGGING_CATEGORY(lcLook, "zorvin.look", QtWarningMsg)

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The SYNC counter that counts the server's milliseconds, if the server has it. The list is read
// by hand: each counter is its id, its resolution (8 bytes), its name's length (2) and its name,
// padded to 4 bytes, which XCB's own walk of the list gets wrong.
std::optional<xcb_sync_counter_t> ServerClock(xcb_connection_t* connection) {
    const Reply<xcb_sync_initialize_reply_t> version(xcb_sync_initialize_reply(
        connection, xcb_sync_initialize(connection, XCB_SYNC_MAJOR_VERSION, XCB_SYNC_MINOR_VERSION),
        nullptr));
    if (!version) {
        return std::nullopt;
    }
    const Reply<xcb_sync_list_system_counters_reply_t> list(xcb_sync_list_system_counters_reply(
        connection, xcb_sync_list_system_counters(connection), nullptr));
    if (!list) {
        return std::nullopt;
    }
    const auto* entry = reinterpret_cast<const unsigned char*>(list.get() + 1);
    const unsigned char* const end =
        reinterpret_cast<const unsigned char*>(list.get()) + 32 + 4 * std::size_t{list->length};
    constexpr std::size_t kNameAt = 14;
    for (std::uint32_t n = 0; n < list->counters_len && entry + kNameAt <= end; ++n) {
        xcb_sync_counter_t counter = 0;
        std::uint16_t length = 0;
        std::memcpy(&counter, entry, sizeof counter);
        std::memcpy(&length, entry + 12, sizeof length);
        if (entry + kNameAt + length > end) {
            break;
        }
        if (std::string_view(reinterpret_cast<const char*>(entry + kNameAt), length) ==
            "SERVERTIME") {
            return counter;
        }
        entry += (kNameAt + length + 3) & ~std::size_t{3};
    }
    return std::nullopt;
}

struct Place {
    int x;
    int y;
    bool operator==(const Place&) const = default;
};

// The answer to `asked`; nothing once the X server has gone away. Nothing on this connection asks
// for events, but an error would come as one: none is left to pile up.
std::optional<Place> PlaceOf(xcb_connection_t* connection, xcb_query_pointer_cookie_t asked) {
    const Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection, asked, nullptr));
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_queued_event(connection)}) {
    }
    if (!pointer) {
        return std::nullopt;
    }
    return Place{pointer->root_x, pointer->root_y};
}

// Asks for the pointer's place `period` from now, by the server's clock. The wait tells no event:
// its threshold is never reached.
xcb_query_pointer_cookie_t AskAfter(std::chrono::milliseconds period, xcb_connection_t* connection,
                                    xcb_window_t root, xcb_sync_counter_t clock) {
    xcb_sync_waitcondition_t wait{};
    wait.trigger.counter = clock;
    wait.trigger.wait_type = XCB_SYNC_VALUETYPE_RELATIVE;
    wait.trigger.wait_value = {0, static_cast<std::uint32_t>(period.count())};
    wait.trigger.test_type = XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON;
    wait.event_threshold = {0x7fffffff, 0xffffffff};
    xcb_sync_await(connection, 1, &wait);
    const xcb_query_pointer_cookie_t asked = xcb_query_pointer(connection, root);
    xcb_flush(connection);
    return asked;
}

}  // namespace

X11Look::X11Look(std::chrono::milliseconds period, std::function<void()> moved)
    : period_(period), moved_(std::move(moved)) {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) {
        return;
    }
    const std::optional<xcb_sync_counter_t> clock = ServerClock(connection_);
    stop_ = eventfd(0, EFD_CLOEXEC);
    if (!clock || stop_ < 0) {
        return;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    thread_ = std::thread([this, root, clock = *clock] { Run(root, clock); });
}

X11Look::~X11Look() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(stop_, &one, sizeof one);
        thread_.join();
    }
    if (stop_ >= 0) {
        close(stop_);
    }
    xcb_disconnect(connection_);
}

// The first look is at once, so that a warp in the first second is a change too. Ends when asked
// to, or when the X server goes away.
void X11Look::Run(std::uint32_t root, std::uint32_t clock) {
    std::optional<Place> last = PlaceOf(connection_, xcb_query_pointer(connection_, root));
    while (last) {
        const xcb_query_pointer_cookie_t asked = AskAfter(period_, connection_, root, clock);
        pollfd waits[] = {{xcb_get_file_descriptor(connection_), POLLIN, 0}, {stop_, POLLIN, 0}};
        int ready = 0;
        do {
            ready = poll(waits, 2, -1);
        } while (ready < 0 && errno == EINTR);
        if (ready < 0 || waits[1].revents != 0) {
            return;
        }
        const std::optional<Place> place = PlaceOf(connection_, asked);
        qCDebug(lcLook, "looked");
        if (place && *place != *last) {
            QMetaObject::invokeMethod(&receiver_, moved_, Qt::QueuedConnection);
        }
        last = place;
    }
}

}  // namespace zorvin::qt
