// Moves asked of a window system that reports them later, and perhaps not all of them: which
// reported place is one of the program's own moves and which one the window system made by itself
// (the user moving the window through the window manager, say).
#pragma once

#include <vector>

#include "platform/api/types.h"

namespace zorvin {

// Who moved the window to a reported place.
enum class Mover { Program, WindowSystem };

class PendingMoves {
  public:
    void Asked(Point place) { pending_.push_back(place); }
    // The window system reports the window at `reported`; `current` is where the program has it.
    // Places asked for come back in order, some perhaps skipped: the reported one and those before
    // it are pending no more. A place nobody asked for is the window system's own move, which the
    // program then follows, and which leaves nothing pending.
    Mover Reported(Point reported, Point current);

  private:
    std::vector<Point> pending_;  // oldest first; a few at the most
};

}  // namespace zorvin
