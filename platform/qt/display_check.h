// Before Qt starts: which of its platforms to use, and whether there is a display to run on.
#pragma once

#include <optional>
#include <string>

namespace zorvin::qt {

// Runs on X11 unless the user chose a platform: a Wayland client cannot read the pointer's
// position outside its own windows, so under a Wayland session the program runs on XWayland.
void PreferX11Platform();

// Why the program cannot show its windows, in one line, or nothing when the X display answers.
// Qt itself would abort without a display; a platform the user chose is left to Qt.
std::optional<std::string> DisplayProblem();

}  // namespace zorvin::qt
