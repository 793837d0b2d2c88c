// Moves a window system reports late: which reports are the program's own moves coming back and
// which are the window system's own (the user dragging the frame, a screen change).
#include "platform/common/pending_moves.h"

#include <gtest/gtest.h>

namespace zorvin {
namespace {

TEST(PendingMoves, AskedPlacesComeBackInOrderEvenWithSomeSkipped) {
    PendingMoves moves;
    moves.Asked({10, 10});
    moves.Asked({20, 10});
    moves.Asked({30, 10});
    const Point current{30, 10};
    EXPECT_FALSE(moves.IsOwnMove({20, 10}, current)) << "the first skipped";
    EXPECT_FALSE(moves.IsOwnMove({30, 10}, current));
    EXPECT_FALSE(moves.IsOwnMove({30, 10}, current)) << "reported again where the program has it";
}

TEST(PendingMoves, AnOlderPlaceReportedAfterANewerOneIsTheWindowSystemsOwn) {
    PendingMoves moves;
    moves.Asked({10, 10});
    moves.Asked({20, 10});
    EXPECT_FALSE(moves.IsOwnMove({20, 10}, {20, 10}));
    EXPECT_TRUE(moves.IsOwnMove({10, 10}, {20, 10})) << "no longer pending";
}

TEST(PendingMoves, APlaceNobodyAskedForIsFollowedAndForgetsWhatWasPending) {
    PendingMoves moves;
    moves.Asked({10, 10});
    moves.Asked({20, 10});
    EXPECT_TRUE(moves.IsOwnMove({500, 400}, {20, 10}));
    EXPECT_TRUE(moves.IsOwnMove({20, 10}, {500, 400})) << "the program's move was overtaken";
}

}  // namespace
}  // namespace zorvin
