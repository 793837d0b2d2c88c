// Before Qt starts: whether there is an X display to run on.
#pragma once

#include <optional>
#include <string>

namespace zorvin::qt {

// The Qt platform the program always runs on, X11, whatever QT_QPA_PLATFORM says: that variable
// chooses the platform of native Wayland programs, and a Wayland client cannot read the pointer's
// position outside its own windows, nor stay on top or place itself. Under a Wayland session the
// program runs on XWayland.
inline constexpr const char* kQtPlatform = "xcb";

// Why the program cannot show its windows, in one line, or nothing when the X display answers. Qt
// itself would abort without one.
std::optional<std::string> DisplayProblem();

}  // namespace zorvin::qt
