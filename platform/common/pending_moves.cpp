#include "platform/common/pending_moves.h"

#include <algorithm>

namespace zorvin {

Mover PendingMoves::Reported(Point reported, Point current) {
    const auto asked = std::find(pending_.begin(), pending_.end(), reported);
    if (asked != pending_.end()) {
        pending_.erase(pending_.begin(), asked + 1);
        return Mover::Program;
    }
    if (pending_.empty() && reported == current) {
        return Mover::Program;
    }
    pending_.clear();
    return Mover::WindowSystem;
}

}  // namespace zorvin
