// Turns KWin's last output off for the tests, as unplugging its monitor would, through KWin's
// output-management protocol, the one the desktop's display settings use; exits once KWin has
// applied the change.
//
//   kwin_unplug_output
// on the session's WAYLAND_DISPLAY. The output devices' events are not listened to: a proxy with
// no listener leaves them unread, whatever version of the protocol KWin speaks.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <wayland-client.h>

#include "kde-output-device-v2-client-protocol.h"
#include "kde-output-management-v2-client-protocol.h"

namespace {

struct Globals {
    kde_output_management_v2* management = nullptr;
    std::vector<kde_output_device_v2*> devices;
};

void Announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t /*version*/) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, kde_output_management_v2_interface.name) == 0) {
        globals->management = static_cast<kde_output_management_v2*>(
            wl_registry_bind(registry, name, &kde_output_management_v2_interface, 1));
    } else if (std::strcmp(interface, kde_output_device_v2_interface.name) == 0) {
        globals->devices.push_back(static_cast<kde_output_device_v2*>(
            wl_registry_bind(registry, name, &kde_output_device_v2_interface, 1)));
    }
}

void Remove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {Announce, Remove};

enum class Outcome { kWaiting, kApplied, kFailed };

// The configuration's answer, by name: its events differ between versions of the protocol.
int Answered(const void* /*implementation*/, void* target, std::uint32_t /*opcode*/,
             const wl_message* message, wl_argument* /*arguments*/) {
    auto* outcome = static_cast<Outcome*>(wl_proxy_get_user_data(static_cast<wl_proxy*>(target)));
    if (std::strcmp(message->name, "applied") == 0) {
        *outcome = Outcome::kApplied;
    } else if (std::strcmp(message->name, "failed") == 0) {
        *outcome = Outcome::kFailed;
    }
    return 0;
}

}  // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "kwin_unplug_output: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.management || globals.devices.size() < 2) {
        std::fprintf(stderr, "kwin_unplug_output: no output management, or one output only\n");
        return 1;
    }
    kde_output_configuration_v2* configuration =
        kde_output_management_v2_create_configuration(globals.management);
    Outcome outcome = Outcome::kWaiting;
    wl_proxy_add_dispatcher(reinterpret_cast<wl_proxy*>(configuration), Answered, nullptr,
                            &outcome);
    kde_output_configuration_v2_enable(configuration, globals.devices.back(), 0);
    kde_output_configuration_v2_apply(configuration);
    while (outcome == Outcome::kWaiting) {
        if (wl_display_dispatch(display) < 0) {
            return 1;
        }
    }
    if (outcome == Outcome::kFailed) {
        std::fprintf(stderr, "kwin_unplug_output: KWin refused the change\n");
        return 1;
    }
    return 0;
}
