#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

#include "platform/common/gated_timer.h"
#include "platform/headless/headless_controls.h"

namespace zorvin::testing {
namespace {

using std::chrono::milliseconds;

// A gated timer over the in-memory window system's native timer, on a clock the test sets.
class TimerOnTestClock : public ::testing::Test {
  protected:
    // The native timer fires at `at`, if it is armed.
    bool fireAt(milliseconds at) {
        now = at;
        return native.period() && timer.Fire();
    }
    std::optional<milliseconds> armed() const { return native.period(); }

    milliseconds now{5000};
    std::unique_ptr<headless::HeadlessTimer> made = std::make_unique<headless::HeadlessTimer>(now);
    headless::HeadlessTimer& native = *made;
    GatedTimer timer{std::move(made)};
};

class GatedTimerTest : public TimerOnTestClock {
  protected:
    GatedTimerTest() {
        timer.WatchChanges(UntoldChanges::TimersLook);
        timer.setInterval(100);
    }
};

TEST_F(GatedTimerTest, TheFirstTickRunsThenTicksPassUntilSomethingChanges) {
    EXPECT_EQ(armed(), milliseconds(100));
    EXPECT_TRUE(fireAt(milliseconds(5100))) << "the first tick looks";
    EXPECT_FALSE(fireAt(milliseconds(5200))) << "nothing changed since";
    EXPECT_EQ(armed(), milliseconds(1000)) << "asleep: it only looks";
    EXPECT_EQ(timer.Interval(), 100) << "as the form set it";
}

// Asleep, a tick runs once a second, for changes no event tells of; those that find nothing leave
// it asleep.
TEST_F(GatedTimerTest, AsleepATickRunsOnceASecond) {
    fireAt(milliseconds(5100));
    fireAt(milliseconds(5200));
    EXPECT_TRUE(fireAt(milliseconds(6200)));
    EXPECT_TRUE(fireAt(milliseconds(7200)));
    EXPECT_EQ(armed(), milliseconds(1000));
}

// A look that finds a change reports it as any change is reported: the ticks run at their
// interval again from the look on.
TEST_F(GatedTimerTest, AChangeALookFindsBringsTheTicksBackAnIntervalAfterIt) {
    fireAt(milliseconds(5100));
    fireAt(milliseconds(5200));
    ASSERT_TRUE(fireAt(milliseconds(6200)));
    timer.Change();
    EXPECT_EQ(armed(), milliseconds(100));
    EXPECT_TRUE(fireAt(milliseconds(6300)));
    EXPECT_EQ(armed(), milliseconds(100));
}

TEST_F(TimerOnTestClock, ATimerSlowerThanTheLooksSleepsAtItsOwnInterval) {
    timer.WatchChanges(UntoldChanges::TimersLook);
    timer.setInterval(2500);
    fireAt(milliseconds(7500));
    EXPECT_FALSE(fireAt(milliseconds(10000)));
    EXPECT_EQ(armed(), milliseconds(2500));
}

// Where the backend looks for the untold changes itself, an asleep timer costs nothing until one
// is reported, and then ticks at once.
TEST_F(TimerOnTestClock, ABackendThatLooksItselfLeavesTheAsleepTimerUnarmed) {
    timer.WatchChanges(UntoldChanges::BackendLooks);
    timer.setInterval(100);
    fireAt(milliseconds(5100));
    EXPECT_FALSE(fireAt(milliseconds(5200)));
    EXPECT_EQ(armed(), std::nullopt);
    now = milliseconds(9000);
    timer.Change();
    EXPECT_EQ(armed(), milliseconds(0));
    EXPECT_TRUE(fireAt(milliseconds(9000)));
    EXPECT_EQ(armed(), milliseconds(100));
}

// The backend's looks start after the timers have fallen asleep, and may end: an asleep timer
// stops looking once the backend looks, and looks again once the backend's looks end.
TEST_F(GatedTimerTest, AnAsleepTimerLooksOnlyWhileTheBackendDoesNot) {
    fireAt(milliseconds(5100));
    ASSERT_FALSE(fireAt(milliseconds(5200)));
    timer.WatchChanges(UntoldChanges::BackendLooks);
    EXPECT_EQ(armed(), std::nullopt);
    timer.WatchChanges(UntoldChanges::TimersLook);
    EXPECT_EQ(armed(), milliseconds(1000));
}

TEST_F(GatedTimerTest, EachTickAfterAChangeRunsWhileChangesKeepComing) {
    fireAt(milliseconds(5100));
    for (int tick = 2; tick < 6; ++tick) {
        timer.Change();
        EXPECT_TRUE(fireAt(milliseconds(5000 + 100 * tick)));
    }
    EXPECT_FALSE(fireAt(milliseconds(5600)));
}

// The tick comes at once, and the ticks after it a whole interval apart again.
TEST_F(GatedTimerTest, AChangeAfterAStillSpellBringsATickAtOnce) {
    fireAt(milliseconds(5100));
    fireAt(milliseconds(5200));
    now = milliseconds(8234);
    timer.Change();
    EXPECT_EQ(armed(), milliseconds(0));
    EXPECT_TRUE(fireAt(milliseconds(8235)));
    EXPECT_EQ(armed(), milliseconds(100));
    EXPECT_FALSE(fireAt(milliseconds(8335)));
}

// No two ticks come closer together than the interval.
TEST_F(GatedTimerTest, AChangeRightAfterTheTimerFellAsleepWaitsOutTheInterval) {
    fireAt(milliseconds(5100));
    fireAt(milliseconds(5200));
    now = milliseconds(5230);
    timer.Change();
    EXPECT_EQ(armed(), milliseconds(70));
    EXPECT_TRUE(fireAt(milliseconds(5300)));
    EXPECT_EQ(armed(), milliseconds(100));
}

TEST_F(GatedTimerTest, ChangesWhileAwakeLeaveThePeriodAlone) {
    timer.Change();
    timer.Change();
    EXPECT_EQ(armed(), milliseconds(100));
    EXPECT_TRUE(fireAt(milliseconds(5100)));
}

TEST_F(TimerOnTestClock, WithoutChangesWatchedEveryTickRuns) {
    timer.setInterval(100);
    for (int tick = 1; tick < 5; ++tick) {
        EXPECT_TRUE(fireAt(milliseconds(5000 + 100 * tick)));
    }
    EXPECT_EQ(armed(), milliseconds(100));
}

// A drag stops the timer and starts it again: the first tick after looks, whatever was seen
// before, and a change while stopped starts nothing.
TEST_F(GatedTimerTest, StoppedAndStartedAgainTheFirstTickRuns) {
    fireAt(milliseconds(5100));
    fireAt(milliseconds(5200));
    timer.setInterval(0);
    EXPECT_EQ(timer.Interval(), 0);
    timer.Change();
    EXPECT_EQ(armed(), std::nullopt);
    EXPECT_FALSE(timer.Fire()) << "a tick the native timer had queued";
    now = milliseconds(9000);
    timer.setInterval(100);
    EXPECT_EQ(armed(), milliseconds(100));
    EXPECT_TRUE(fireAt(milliseconds(9100)));
}

}  // namespace
}  // namespace zorvin::testing
