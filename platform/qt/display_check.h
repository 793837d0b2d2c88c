// Before Qt starts: which of its platforms to use, and whether there is a display to run on.
#pragma once

#include <optional>
#include <string>

namespace zorvin::qt {

// The platform the user chose in QT_QPA_PLATFORM, else X11: a Wayland client cannot read the
// pointer's position outside its own windows, so under a Wayland session the program runs on
// XWayland. Only this program is told so, by its command line; the programs it starts (the mail
// program, the browser) get the environment as the program found it.
std::string ChosenPlatform();

// Why the program cannot show its windows on that platform, in one line, or nothing when the X
// display answers. Qt itself would abort without a display; a platform the user chose is left to
// Qt.
std::optional<std::string> DisplayProblem(const std::string& platform);

}  // namespace zorvin::qt
