// Moves KWin's pointer for the tests, through KWin's fake-input protocol: XTest through XWayland
// does not reach the compositor's pointer. Runs for the whole test, because KWin removes the
// pointer device of a client that disconnects.
//
//   kwin_fake_pointer COMMANDS REPLIES
// reads lines from the COMMANDS pipe: "move X Y" moves the pointer to logical pixel (X, Y),
// "button CODE 1" presses and "button CODE 0" releases a button by its Linux code (BTN_LEFT
// 0x110, BTN_RIGHT 0x111), and "key CODE 1" and "key CODE 0" a key (KEY_E 18). Each line is
// answered with "ok" on the REPLIES pipe once KWin has taken it.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <wayland-client.h>

#include "fake-input-client-protocol.h"

namespace {

struct Globals {
    org_kde_kwin_fake_input* fakeInput = nullptr;
};

void Announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        static_cast<Globals*>(data)->fakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, version));
    }
}

void Remove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {Announce, Remove};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s COMMANDS REPLIES\n", argv[0]);
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "kwin_fake_pointer: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.fakeInput) {
        std::fprintf(stderr, "kwin_fake_pointer: the compositor offers no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(globals.fakeInput, "Zorvin tests", "moves the pointer");
    wl_display_roundtrip(display);

    std::FILE* commands = std::fopen(argv[1], "r");
    std::FILE* replies = std::fopen(argv[2], "w");
    if (!commands || !replies) {
        std::perror("kwin_fake_pointer");
        return 1;
    }
    char command[16];
    int first = 0;
    int second = 0;
    while (std::fscanf(commands, " %15s %d %d", command, &first, &second) == 3) {
        if (std::strcmp(command, "move") == 0) {
            org_kde_kwin_fake_input_pointer_motion_absolute(
                globals.fakeInput, wl_fixed_from_int(first), wl_fixed_from_int(second));
        } else if (std::strcmp(command, "button") == 0) {
            org_kde_kwin_fake_input_button(globals.fakeInput, static_cast<std::uint32_t>(first),
                                           static_cast<std::uint32_t>(second));
        } else if (std::strcmp(command, "key") == 0) {
            org_kde_kwin_fake_input_keyboard_key(globals.fakeInput,
                                                 static_cast<std::uint32_t>(first),
                                                 static_cast<std::uint32_t>(second));
        } else {
            std::fprintf(stderr, "kwin_fake_pointer: unknown command %s\n", command);
            return 2;
        }
        if (wl_display_roundtrip(display) < 0) {
            return 1;
        }
        std::fputs("ok\n", replies);
        std::fflush(replies);
    }
    return 0;
}
