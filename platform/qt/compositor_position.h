// The pointer as a Wayland compositor reports it: in the compositor's logical coordinates, with the
// size of its whole desktop in the same coordinates.
#pragma once

#include <QPoint>
#include <QSize>

namespace zorvin::qt {

struct CompositorPosition {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The position on a desktop of `desktop` size in the program's own coordinates. The ratio between
// the two sizes covers every way a compositor presents X11 programs: scaled by the compositor
// (X11 sees logical pixels), or scaling themselves (X11 sees physical pixels, which Qt may scale
// back). Equal sizes map each point to itself.
QPoint ToDesktop(const CompositorPosition& position, QSize desktop);

}  // namespace zorvin::qt
