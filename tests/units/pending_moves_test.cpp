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
    EXPECT_EQ(moves.Reported({20, 10}, current), Mover::Program) << "the first skipped";
    EXPECT_EQ(moves.Reported({30, 10}, current), Mover::Program);
    EXPECT_EQ(moves.Reported({30, 10}, current), Mover::Program)
        << "reported again where the program has it";
}

TEST(PendingMoves, AnOlderPlaceReportedAfterANewerOneIsTheWindowSystemsOwn) {
    PendingMoves moves;
    moves.Asked({10, 10});
    moves.Asked({20, 10});
    EXPECT_EQ(moves.Reported({20, 10}, {20, 10}), Mover::Program);
    EXPECT_EQ(moves.Reported({10, 10}, {20, 10}), Mover::WindowSystem) << "no longer pending";
}

TEST(PendingMoves, APlaceNobodyAskedForIsFollowedAndForgetsWhatWasPending) {
    PendingMoves moves;
    moves.Asked({10, 10});
    moves.Asked({20, 10});
    EXPECT_EQ(moves.Reported({500, 400}, {20, 10}), Mover::WindowSystem);
    EXPECT_EQ(moves.Reported({20, 10}, {500, 400}), Mover::WindowSystem)
        << "the program's move was overtaken";
}

}  // namespace
}  // namespace zorvin
