// Turns KWin's rightmost output off for the tests, as unplugging its monitor would, through KWin's
// output-management protocol, the one the desktop's display settings use; exits once KWin has
// applied the change.
//
//   kwin_unplug_output
// on the session's WAYLAND_DISPLAY. Plasma 5 and early Plasma 6 announce each output device as a
// global; later ones through a registry of devices, which the protocol files describe where they
// are that recent. Of the devices' events only their places are read, by name, whatever version of
// the protocol KWin speaks.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <wayland-client.h>

#include "kde-output-device-v2-client-protocol.h"
#include "kde-output-management-v2-client-protocol.h"

namespace {

struct Device {
    kde_output_device_v2* proxy;
    int x;
};

struct Globals {
    kde_output_management_v2* management = nullptr;
    std::vector<Device> devices;
};

int DeviceEvent(const void* /*implementation*/, void* target, std::uint32_t /*opcode*/,
                const wl_message* message, wl_argument* arguments) {
    auto* proxy = static_cast<wl_proxy*>(target);
    auto* globals = static_cast<Globals*>(wl_proxy_get_user_data(proxy));
    if (std::strcmp(message->name, "geometry") == 0) {
        for (Device& device : globals->devices) {
            if (reinterpret_cast<wl_proxy*>(device.proxy) == proxy) {
                device.x = arguments[0].i;
            }
        }
    }
    return 0;
}

void AddDevice(Globals* globals, wl_proxy* proxy) {
    wl_proxy_add_dispatcher(proxy, DeviceEvent, nullptr, globals);
    globals->devices.push_back({reinterpret_cast<kde_output_device_v2*>(proxy), 0});
}

#ifdef KDE_OUTPUT_DEVICE_REGISTRY_V2_OUTPUT_SINCE_VERSION
// The device registry's announcements, by name: its events differ between versions.
int AnnounceDevice(const void* /*implementation*/, void* target, std::uint32_t /*opcode*/,
                   const wl_message* message, wl_argument* arguments) {
    if (std::strcmp(message->name, "output") == 0) {
        AddDevice(static_cast<Globals*>(wl_proxy_get_user_data(static_cast<wl_proxy*>(target))),
                  reinterpret_cast<wl_proxy*>(arguments[0].o));
    }
    return 0;
}
#endif

void Announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t /*version*/) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, kde_output_management_v2_interface.name) == 0) {
        globals->management = static_cast<kde_output_management_v2*>(
            wl_registry_bind(registry, name, &kde_output_management_v2_interface, 1));
    } else if (std::strcmp(interface, kde_output_device_v2_interface.name) == 0) {
        AddDevice(globals, static_cast<wl_proxy*>(wl_registry_bind(
                               registry, name, &kde_output_device_v2_interface, 1)));
    }
#ifdef KDE_OUTPUT_DEVICE_REGISTRY_V2_OUTPUT_SINCE_VERSION
    if (std::strcmp(interface, kde_output_device_registry_v2_interface.name) == 0) {
        auto* devices = static_cast<wl_proxy*>(
            wl_registry_bind(registry, name, &kde_output_device_registry_v2_interface,
                             KDE_OUTPUT_DEVICE_REGISTRY_V2_OUTPUT_SINCE_VERSION));
        wl_proxy_add_dispatcher(devices, AnnounceDevice, nullptr, data);
    }
#endif
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
    wl_display_roundtrip(display);  // the devices that a registry of devices announces
    wl_display_roundtrip(display);  // their places
    if (!globals.management || globals.devices.size() < 2) {
        std::fprintf(stderr, "kwin_unplug_output: no output management, or one output only\n");
        return 1;
    }
    kde_output_configuration_v2* configuration =
        kde_output_management_v2_create_configuration(globals.management);
    Outcome outcome = Outcome::kWaiting;
    wl_proxy_add_dispatcher(reinterpret_cast<wl_proxy*>(configuration), Answered, nullptr,
                            &outcome);
    const Device& rightmost =
        *std::max_element(globals.devices.begin(), globals.devices.end(),
                          [](const Device& a, const Device& b) { return a.x < b.x; });
    kde_output_configuration_v2_enable(configuration, rightmost.proxy, 0);
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
