// zorvin-look: Zorvin's watch on the pointer's moves that no input event tells of, another
// program's warps (XWarpPointer, `xdotool mousemove`, GTK's XIWarpPointer).
//
//     zorvin-look PERIOD_MS [--log]
//
// Reads from its standard input where Zorvin last saw the pointer, a line "X Y" each time that
// changes. Writes to its standard output one byte once it watches ('r'), then one for each warp
// another client asks of the X server ('w'), and one each time a look finds the pointer elsewhere
// than Zorvin last saw it though nothing told of that ('l'): a look compares with what Zorvin
// saw, not with the look before it, so that a warp back to an earlier place is a move too. Ends
// when Zorvin goes away, or the X server does.
//
// The warps are told by the X server's RECORD extension, as they are asked, on a connection that
// records the two warp requests and nothing else (no device or key event). The looks, once a
// period, are for what RECORD cannot tell, or where the server lacks it (it is said once, on
// standard error).
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

#include <xcb/record.h>
#include <xcb/sync.h>
#include <xcb/xcb.h>
// xcb_poll_for_reply: RECORD answers its one request with a reply for each recorded batch.
#include <xcb/xcbext.h>

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

// Whether Zorvin took the byte: Zorvin gone ends the watch.
bool Tell(char news) {
    ssize_t written = 0;
    do {
        written = write(STDOUT_FILENO, &news, 1);
    } while (written < 0 && errno == EINTR);
    return written == 1;
}

// Where Zorvin last saw the pointer, from the lines on standard input.
class Seen {
  public:
    // Takes in what came; false once Zorvin has gone away.
    bool Read() {
        char buffer[256];
        ssize_t got = 0;
        do {
            got = read(STDIN_FILENO, buffer, sizeof buffer);
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            return false;
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (buffer[i] != '\n') {
                if (length_ + 1 < sizeof line_) {
                    line_[length_++] = buffer[i];
                }
                continue;
            }
            line_[length_] = '\0';
            length_ = 0;
            Place place{};
            if (std::sscanf(line_, "%d %d", &place.x, &place.y) == 2) {
                place_ = place;
            }
        }
        return true;
    }
    const std::optional<Place>& place() const { return place_; }

  private:
    char line_[64] = {};
    std::size_t length_ = 0;
    std::optional<Place> place_;
};

// The warp requests of every client, as the X server receives them, on a connection of their own:
// RECORD sends what it records as replies to the request that enabled the recording.
class Warps {
  public:
    explicit Warps(xcb_connection_t* control) {
        const xcb_query_extension_reply_t* record = xcb_get_extension_data(control, &xcb_record_id);
        if (!record || !record->present) {
            std::fputs(
                "zorvin: this X server has no RECORD extension, so a pointer that another "
                "program warps is seen at the next look, within a second\n",
                stderr);
            return;
        }
        const Reply<xcb_query_extension_reply_t> input(xcb_query_extension_reply(
            control, xcb_query_extension(control, 15, "XInputExtension"), nullptr));
        xcb_record_range_t range{};
        range.core_requests = {XCB_WARP_POINTER, XCB_WARP_POINTER};
        if (input && input->present) {
            range.ext_requests.major = {input->major_opcode, input->major_opcode};
            range.ext_requests.minor = {kXIWarpPointer, kXIWarpPointer};
        }
        const xcb_record_client_spec_t everyone = XCB_RECORD_CS_ALL_CLIENTS;
        const xcb_record_context_t context = xcb_generate_id(control);
        const xcb_void_cookie_t made =
            xcb_record_create_context_checked(control, context, 0, 1, 1, &everyone, &range);
        if (const Reply<xcb_generic_error_t> error{xcb_request_check(control, made)}) {
            return;
        }
        data_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(data_)) {
            Close();
            return;
        }
        recording_ = xcb_record_enable_context(data_, context).sequence;
        xcb_flush(data_);
    }
    ~Warps() { Close(); }
    Warps(const Warps&) = delete;
    Warps& operator=(const Warps&) = delete;

    // The connection to wait on, or -1 for none.
    int descriptor() const { return data_ ? xcb_get_file_descriptor(data_) : -1; }

    // Takes in what came, without waiting: whether a warp was recorded. A connection that broke
    // is closed, and the looks go on alone.
    bool Read() {
        bool warped = false;
        void* reply = nullptr;
        while (data_ && xcb_poll_for_reply(data_, recording_, &reply, nullptr)) {
            const Reply<xcb_record_enable_context_reply_t> recorded(
                static_cast<xcb_record_enable_context_reply_t*>(reply));
            if (!recorded) {
                Close();
                break;
            }
            warped = warped || (recorded->category == kFromClient &&
                                xcb_record_enable_context_data_length(recorded.get()) > 0);
        }
        return warped;
    }

  private:
    // XInput 2's warp, a request of the XInput extension.
    static constexpr std::uint16_t kXIWarpPointer = 41;
    // The category of a reply that carries what clients asked.
    static constexpr std::uint8_t kFromClient = 1;

    void Close() {
        if (data_) {
            xcb_disconnect(data_);
            data_ = nullptr;
        }
    }

    xcb_connection_t* data_ = nullptr;
    unsigned int recording_ = 0;
};

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
    Warps warps(connection);
    Seen seen;
    // A place found and told already, until Zorvin says where it saw the pointer since.
    std::optional<Place> told;
    bool watching = Tell('r');
    while (watching) {
        const xcb_query_pointer_cookie_t asked =
            AskAfter(static_cast<std::uint32_t>(period), connection, root, *clock);
        // Until the look's answer comes: Zorvin's news, and the warps.
        for (bool answered = false; watching && !answered;) {
            pollfd waits[] = {{xcb_get_file_descriptor(connection), POLLIN, 0},
                              {STDIN_FILENO, POLLIN, 0},
                              {STDOUT_FILENO, 0, 0},
                              {warps.descriptor(), POLLIN, 0}};
            if (poll(waits, 4, -1) < 0) {
                watching = errno == EINTR;
                continue;
            }
            if (waits[2].revents != 0 || (waits[1].revents != 0 && !seen.Read())) {
                watching = false;
                break;
            }
            if (waits[1].revents != 0) {
                told.reset();
            }
            if (waits[3].revents != 0 && warps.Read()) {
                watching = Tell('w');
            }
            answered = waits[0].revents != 0;
        }
        if (!watching) {
            break;
        }
        const std::optional<Place> place = PlaceOf(connection, asked);
        if (log) {
            std::fputs("zorvin.look: looked\n", stderr);
        }
        if (!place) {
            break;
        }
        if (seen.place() && *place != *seen.place() && place != told) {
            told = place;
            watching = Tell('l');
        }
    }
    xcb_disconnect(connection);
    return 0;
}
