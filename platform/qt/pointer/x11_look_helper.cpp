// zorvin-look: Zorvin's look at the pointer once a look period, for the moves no event tells of
// (another program warps it: XWarpPointer, `xdotool mousemove`; XInput's raw events say nothing).
//
//     zorvin-look PERIOD_MS [--log]
//
// Writes a byte to its standard output once it looks, and another each time a look finds the
// pointer elsewhere than the last one did. Ends when whoever reads that output goes away, or the
// X server does.
//
// A program of its own, and a small one, because a still desktop's only cost is this wake-up a
// second, and waking a process costs in proportion to the memory it maps: a Qt program's wake-ups
// cost several times this one's. Each look asks the X server for the pointer's place behind a
// SYNC Await on the server's clock, so that the server answers a period later and the look wakes
// once, to the answer, rather than once for a timer and once more for the answer.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace {

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

// Asks for the pointer's place `period` milliseconds from now, by the server's clock. The wait
// tells no event: its threshold is never reached.
xcb_query_pointer_cookie_t AskAfter(std::uint32_t period, xcb_connection_t* connection,
                                    xcb_window_t root, xcb_sync_counter_t clock) {
    xcb_sync_waitcondition_t wait{};
    wait.trigger.counter = clock;
    wait.trigger.wait_type = XCB_SYNC_VALUETYPE_RELATIVE;
    wait.trigger.wait_value = {0, period};
    wait.trigger.test_type = XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON;
    wait.event_threshold = {0x7fffffff, 0xffffffff};
    xcb_sync_await(connection, 1, &wait);
    const xcb_query_pointer_cookie_t asked = xcb_query_pointer(connection, root);
    xcb_flush(connection);
    return asked;
}

// Whether the reader took the byte: a reader gone away ends the looks.
bool Tell() {
    const char news = '.';
    ssize_t written = 0;
    do {
        written = write(STDOUT_FILENO, &news, 1);
    } while (written < 0 && errno == EINTR);
    return written == 1;
}

// Sleeps until the X server answers; false once the reader has gone away (the pipe's other end
// reports an error, however it was asked) or the wait failed.
bool AwaitAnswer(xcb_connection_t* connection) {
    pollfd waits[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {STDOUT_FILENO, 0, 0}};
    int ready = 0;
    do {
        ready = poll(waits, 2, -1);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && waits[1].revents == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long period = argc >= 2 ? std::strtol(argv[1], nullptr, 10) : 0;
    const bool log = argc >= 3 && std::string_view(argv[2]) == "--log";
    if (period <= 0 || period > 3'600'000) {
        std::fprintf(stderr, "usage: zorvin-look PERIOD_MS [--log]\n");
        return 2;
    }
    xcb_connection_t* const connection = xcb_connect(nullptr, nullptr);
    const std::optional<xcb_sync_counter_t> clock =
        xcb_connection_has_error(connection) ? std::nullopt : ServerClock(connection);
    if (!clock) {
        xcb_disconnect(connection);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // The first look is at once, so that a warp in the first period is a change too.
    std::optional<Place> last = PlaceOf(connection, xcb_query_pointer(connection, root));
    bool told = last && Tell();
    while (told) {
        const xcb_query_pointer_cookie_t asked =
            AskAfter(static_cast<std::uint32_t>(period), connection, root, *clock);
        if (!AwaitAnswer(connection)) {
            break;
        }
        const std::optional<Place> place = PlaceOf(connection, asked);
        if (log) {
            std::fputs("zorvin.look: looked\n", stderr);
        }
        told = place && (*place == *last || Tell());
        last = place;
    }
    xcb_disconnect(connection);
    return 0;
}
