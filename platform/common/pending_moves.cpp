#include "platform/common/pending_moves.h"

#include <algorithm>

namespace zorvin {

bool PendingMoves::IsOwnMove(Point reported, Point current) {
    const auto asked = std::find(pending_.begin(), pending_.end(), reported);
    if (asked != pending_.end()) {
        pending_.erase(pending_.begin(), asked + 1);
        return false;
    }
    if (pending_.empty() && reported == current) {
        return false;
    }
    pending_.clear();
    return true;
}

}  // namespace zorvin
