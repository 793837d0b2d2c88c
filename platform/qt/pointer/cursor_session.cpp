#include "platform/qt/pointer/cursor_session.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <list>
#include <optional>
#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSocketNotifier>
#include <QString>
#include <QtGlobal>

#include <wayland-client.h>

#include "ext-image-capture-source-v1-client-protocol.h"
#include "ext-image-copy-capture-v1-client-protocol.h"
#include "platform/qt/pointer/compositor_report.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace zorvin::qt {
namespace {

// What an output's cursor session says, and what it takes to map it to the desktop.
struct Output {
    uint32_t name = 0;  // the registry's
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    ext_image_capture_source_v1* source = nullptr;
    ext_image_copy_capture_cursor_session_v1* session = nullptr;
    QString outputName;
    OutputPixels pixels;
    bool entered = false;
    std::optional<QPoint> hotspot;  // the pointer, in the output's transformed buffer pixels
    unsigned long told = 0;         // when the session last told a position (a count)
};

class CursorSessionPointer final : public PointerSource {
  public:
    CursorSessionPointer(wl_display* display, std::function<void(const char*)> unavailable)
        : display_(display),
          unavailable_(std::move(unavailable)),
          readable_(wl_display_get_fd(display), QSocketNotifier::Read),
          writable_(wl_display_get_fd(display), QSocketNotifier::Write) {
        QObject::connect(&readable_, &QSocketNotifier::activated, &readable_, [this] { Read(); });
        QObject::connect(&writable_, &QSocketNotifier::activated, &writable_, [this] { Flush(); });
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &kRegistry, this);
        // The registry's globals are all announced before the answer to this.
        wl_callback* announced = wl_display_sync(display_);
        wl_callback_add_listener(announced, &kAnnounced, this);
        Flush();
    }

    ~CursorSessionPointer() override { Disconnect(); }

    std::optional<QPoint> Position() override {
        const Output* at = PointerOutput();
        if (!at) {
            return std::nullopt;
        }
        const auto logical = BufferToLogical(*at->hotspot, at->pixels);
        if (!logical) {
            return std::nullopt;
        }
        std::vector<NamedRect> outputs;
        for (const Output& output : outputs_) {
            outputs.push_back({output.outputName, output.pixels.logical});
        }
        return ToDesktop(*logical, outputs, ProgramScreens());
    }

  private:
    // The output whose session told last of a pointer inside it; else the last one it entered
    // (a pointer whose image overlaps two outputs is in both).
    const Output* PointerOutput() const {
        const auto inside = [](const Output& output) {
            const auto logical = BufferToLogical(*output.hotspot, output.pixels);
            return logical && output.pixels.logical.contains(*logical);
        };
        const Output* best = nullptr;
        for (const Output& output : outputs_) {
            if (!output.entered || !output.hotspot) {
                continue;
            }
            if (!best || inside(output) > inside(*best) ||
                (inside(output) == inside(*best) && output.told > best->told)) {
                best = &output;
            }
        }
        return best;
    }

    // Reads what has come without waiting: the notifier says it is there.
    void Read() {
        while (wl_display_prepare_read(display_) != 0) {
            if (wl_display_dispatch_pending(display_) < 0) {
                return Lost();
            }
        }
        if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0) {
            return Lost();
        }
        // The connection is ended only here, out of libwayland's dispatch.
        if (unwanted_) {
            return Disconnect();
        }
        Flush();
    }

    // Sends what was asked, as much as the socket takes now; the rest when it is writable.
    void Flush() {
        if (!display_) {
            return;
        }
        const bool sent = wl_display_flush(display_) >= 0;
        if (!sent && errno != EAGAIN) {
            return Lost();
        }
        writable_.setEnabled(!sent);
    }

    // The compositor went, or ended the connection: X11 tells where it can.
    void Lost() {
        std::fprintf(stderr,
                     "zorvin: the Wayland compositor ended Zorvin's connection (%s), so the pupils "
                     "follow the pointer only over X11 windows\n",
                     std::strerror(wl_display_get_error(display_)));
        std::fflush(stderr);
        Disconnect();
        ReportMoved();
    }

    void Disconnect() {
        if (!display_) {
            return;
        }
        readable_.setEnabled(false);
        writable_.setEnabled(false);
        while (!outputs_.empty()) {
            Forget(outputs_.front());
            outputs_.pop_front();
        }
        DropPointer();
        if (sources_) {
            ext_output_image_capture_source_manager_v1_destroy(sources_);
        }
        if (captures_) {
            ext_image_copy_capture_manager_v1_destroy(captures_);
        }
        if (xdgOutputs_) {
            zxdg_output_manager_v1_destroy(xdgOutputs_);
        }
        if (seat_) {
            wl_seat_destroy(seat_);
        }
        wl_registry_destroy(registry_);
        wl_display_disconnect(display_);
        display_ = nullptr;
    }

    void Announced() {
        if (!sources_ || !captures_) {
            unavailable_("it offers no cursor sessions");
            unwanted_ = true;
            return;
        }
        // wlroots tells cursor sessions only of a pointer the output's hardware draws.
        if (qEnvironmentVariable("WLR_NO_HARDWARE_CURSORS") == QStringLiteral("1")) {
            std::fputs(
                "zorvin: with WLR_NO_HARDWARE_CURSORS=1 a wlroots compositor tells no "
                "program where it draws the pointer, so the pupils may follow it only over "
                "X11 windows\n",
                stderr);
            std::fflush(stderr);
        }
        for (Output& output : outputs_) {
            Follow(output);
        }
    }

    void Global(wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        const auto is = [interface](const wl_interface& known) {
            return std::strcmp(interface, known.name) == 0;
        };
        if (is(wl_output_interface)) {
            Output& output = outputs_.emplace_back();
            output.name = name;
            output.output = static_cast<wl_output*>(
                wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 4u)));
            wl_output_add_listener(output.output, &kOutput, &output);
            Follow(output);
        } else if (is(wl_seat_interface) && !seat_) {
            seat_ = static_cast<wl_seat*>(
                wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5u)));
            wl_seat_add_listener(seat_, &kSeat, this);
        } else if (is(zxdg_output_manager_v1_interface)) {
            xdgOutputs_ = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
                registry, name, &zxdg_output_manager_v1_interface, std::min(version, 3u)));
            for (Output& output : outputs_) {
                Follow(output);
            }
        } else if (is(ext_output_image_capture_source_manager_v1_interface)) {
            sources_ = static_cast<ext_output_image_capture_source_manager_v1*>(wl_registry_bind(
                registry, name, &ext_output_image_capture_source_manager_v1_interface, 1));
        } else if (is(ext_image_copy_capture_manager_v1_interface)) {
            captures_ = static_cast<ext_image_copy_capture_manager_v1*>(
                wl_registry_bind(registry, name, &ext_image_copy_capture_manager_v1_interface, 1));
        }
    }

    void GlobalRemoved(uint32_t name) {
        const auto gone = std::find_if(outputs_.begin(), outputs_.end(),
                                       [name](const Output& o) { return o.name == name; });
        if (gone != outputs_.end()) {
            Forget(*gone);
            outputs_.erase(gone);
            ReportMoved();
        }
    }

    // Asks for what is missing of the output's picture and its cursor session, as far as the
    // compositor has announced what it takes.
    void Follow(Output& output) {
        if (xdgOutputs_ && !output.xdgOutput) {
            output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, output.output);
            zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutput, &output);
        }
        if (sources_ && captures_ && !output.source) {
            output.source =
                ext_output_image_capture_source_manager_v1_create_source(sources_, output.output);
        }
        if (output.source && pointer_ && !output.session) {
            output.session = ext_image_copy_capture_manager_v1_create_pointer_cursor_session(
                captures_, output.source, pointer_);
            ext_image_copy_capture_cursor_session_v1_add_listener(output.session, &kSession, this);
        }
    }

    void Forget(Output& output) {
        EndSession(output);
        if (output.source) {
            ext_image_capture_source_v1_destroy(output.source);
        }
        if (output.xdgOutput) {
            zxdg_output_v1_destroy(output.xdgOutput);
        }
        if (wl_output_get_version(output.output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
            wl_output_release(output.output);
        } else {
            wl_output_destroy(output.output);
        }
    }

    static void EndSession(Output& output) {
        if (output.session) {
            ext_image_copy_capture_cursor_session_v1_destroy(output.session);
            output.session = nullptr;
        }
        output.entered = false;
        output.hotspot.reset();
    }

    // A seat may lose its pointer and gain one again; asking for a pointer it has not announced
    // is a protocol error.
    void Capabilities(uint32_t capabilities) {
        const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
        if (hasPointer && !pointer_) {
            pointer_ = wl_seat_get_pointer(seat_);
            for (Output& output : outputs_) {
                Follow(output);
            }
        } else if (!hasPointer && pointer_) {
            DropPointer();
            ReportMoved();
        }
    }

    void DropPointer() {
        for (Output& output : outputs_) {
            EndSession(output);
        }
        if (pointer_) {
            if (wl_pointer_get_version(pointer_) >= WL_POINTER_RELEASE_SINCE_VERSION) {
                wl_pointer_release(pointer_);
            } else {
                wl_pointer_destroy(pointer_);
            }
            pointer_ = nullptr;
        }
    }

    Output* OutputOf(const ext_image_copy_capture_cursor_session_v1* session) {
        const auto found =
            std::find_if(outputs_.begin(), outputs_.end(),
                         [session](const Output& o) { return o.session == session; });
        return found == outputs_.end() ? nullptr : &*found;
    }

    void Entered(ext_image_copy_capture_cursor_session_v1* session, bool entered) {
        if (Output* output = OutputOf(session)) {
            output->entered = entered;
            if (!entered) {
                output->hotspot.reset();
                ReportMoved();
            }
        }
    }

    void Moved(ext_image_copy_capture_cursor_session_v1* session, QPoint hotspot) {
        if (Output* output = OutputOf(session)) {
            // A pointer that enters where it left comes without a position: the last one holds.
            output->entered = true;
            output->hotspot = hotspot;
            output->told = ++told_;
            ReportMoved();
        }
    }

    static CursorSessionPointer* Of(void* data) { return static_cast<CursorSessionPointer*>(data); }

    // libwayland's listeners, which call the source back.
    static const wl_registry_listener kRegistry;
    static const wl_callback_listener kAnnounced;
    static const wl_seat_listener kSeat;
    static const wl_output_listener kOutput;
    static const zxdg_output_v1_listener kXdgOutput;
    static const ext_image_copy_capture_cursor_session_v1_listener kSession;

    wl_display* display_;
    std::function<void(const char*)> unavailable_;
    QSocketNotifier readable_;
    QSocketNotifier writable_;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    zxdg_output_manager_v1* xdgOutputs_ = nullptr;
    ext_output_image_capture_source_manager_v1* sources_ = nullptr;
    ext_image_copy_capture_manager_v1* captures_ = nullptr;
    // A list, so that the listeners' pointers into it stay valid as outputs come and go.
    std::list<Output> outputs_;
    unsigned long told_ = 0;
    // The compositor offers nothing this source can use.
    bool unwanted_ = false;
};

const wl_registry_listener CursorSessionPointer::kRegistry = {
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        Of(data)->Global(registry, name, interface, version);
    },
    [](void* data, wl_registry*, uint32_t name) { Of(data)->GlobalRemoved(name); }};
const wl_callback_listener CursorSessionPointer::kAnnounced = {
    [](void* data, wl_callback* callback, uint32_t) {
        wl_callback_destroy(callback);
        Of(data)->Announced();
    }};
const wl_seat_listener CursorSessionPointer::kSeat = {
    [](void* data, wl_seat*, uint32_t capabilities) { Of(data)->Capabilities(capabilities); },
    [](void*, wl_seat*, const char*) {}};
const wl_output_listener CursorSessionPointer::kOutput = {
    // geometry: only the transform; xdg-output tells the place
    [](void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
       const char*,
       int32_t transform) { static_cast<Output*>(data)->pixels.turned = (transform & 1) != 0; },
    [](void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT) {
            static_cast<Output*>(data)->pixels.mode = QSize(width, height);
        }
    },
    [](void*, wl_output*) {},           // done
    [](void*, wl_output*, int32_t) {},  // scale: the logical size says more
    [](void* data, wl_output*, const char* name) {
        static_cast<Output*>(data)->outputName = QString::fromUtf8(name);
    },
    [](void*, wl_output*, const char*) {}};  // description
const zxdg_output_v1_listener CursorSessionPointer::kXdgOutput = {
    [](void* data, zxdg_output_v1*, int32_t x, int32_t y) {
        static_cast<Output*>(data)->pixels.logical.moveTo(x, y);
    },
    [](void* data, zxdg_output_v1*, int32_t width, int32_t height) {
        static_cast<Output*>(data)->pixels.logical.setSize(QSize(width, height));
    },
    [](void*, zxdg_output_v1*) {},  // done
    [](void* data, zxdg_output_v1*, const char* name) {
        static_cast<Output*>(data)->outputName = QString::fromUtf8(name);
    },
    [](void*, zxdg_output_v1*, const char*) {}};  // description
const ext_image_copy_capture_cursor_session_v1_listener CursorSessionPointer::kSession = {
    [](void* data, ext_image_copy_capture_cursor_session_v1* session) {
        Of(data)->Entered(session, true);
    },
    [](void* data, ext_image_copy_capture_cursor_session_v1* session) {
        Of(data)->Entered(session, false);
    },
    [](void* data, ext_image_copy_capture_cursor_session_v1* session, int32_t x, int32_t y) {
        Of(data)->Moved(session, QPoint(x, y));
    },
    [](void*, ext_image_copy_capture_cursor_session_v1*, int32_t, int32_t) {}};  // hotspot

}  // namespace

std::unique_ptr<PointerSource> OpenCursorSession(
    const std::function<void(const char* why)>& unavailable) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        return nullptr;
    }
    return std::make_unique<CursorSessionPointer>(display, unavailable);
}

}  // namespace zorvin::qt
