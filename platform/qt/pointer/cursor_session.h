// The pointer from a Wayland compositor's cursor sessions (ext-image-copy-capture-v1), on the
// desktops that offer them: Sway, labwc and the other wlroots compositors, Hyprland, COSMIC, niri.
// A connection of the program's own to the compositor, made only to follow the pointer and read
// on the event loop without ever waiting: a cursor session per output tells where the pointer
// enters, leaves and moves on that output, and no frame is ever captured. Builds whose system had
// no cursor-session protocol leave it out (cursor_session_absent.cpp).
#pragma once

#include <functional>
#include <memory>

#include "platform/qt/pointer/pointer_source.h"

namespace zorvin::qt {

// The source, or nothing where the session has no Wayland compositor to ask. `unavailable` is
// told, at most once and perhaps later, with the reason, when the compositor offers no cursor
// sessions or the build cannot ask for them; the source then tells nothing.
std::unique_ptr<PointerSource> OpenCursorSession(
    const std::function<void(const char* why)>& unavailable);

}  // namespace zorvin::qt
