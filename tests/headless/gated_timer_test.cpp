#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "platform/common/gated_timer.h"

namespace zorvin::testing {
namespace {

using std::chrono::milliseconds;

// A native timer on a clock the test sets; it remembers how it was last armed.
class ClockTimer final : public GatedTimer {
  public:
    milliseconds now{5000};
    std::optional<milliseconds> armed;  // the period, while armed

    // The native timer fires at `at`.
    bool FireAt(milliseconds at) {
        now = at;
        return armed && Fire();
    }

  private:
    void Arm(milliseconds period) override { armed = period; }
    void Disarm() override { armed.reset(); }
    milliseconds Now() const override { return now; }
};

class GatedTimerTest : public ::testing::Test {
  protected:
    GatedTimerTest() {
        timer.WatchChanges(UntoldChanges::TimersLook);
        timer.setInterval(100);
    }

    ClockTimer timer;
};

TEST_F(GatedTimerTest, TheFirstTickRunsThenTicksPassUntilSomethingChanges) {
    EXPECT_EQ(timer.armed, milliseconds(100));
    EXPECT_TRUE(timer.FireAt(milliseconds(5100))) << "the first tick looks";
    EXPECT_FALSE(timer.FireAt(milliseconds(5200))) << "nothing changed since";
    EXPECT_EQ(timer.armed, milliseconds(1000)) << "asleep: it only looks";
    EXPECT_EQ(timer.Interval(), 100) << "as the form set it";
}

// Asleep, a tick runs once a second, for changes no event tells of; those that find nothing leave
// it asleep.
TEST_F(GatedTimerTest, AsleepATickRunsOnceASecond) {
    timer.FireAt(milliseconds(5100));
    timer.FireAt(milliseconds(5200));
    EXPECT_TRUE(timer.FireAt(milliseconds(6200)));
    EXPECT_TRUE(timer.FireAt(milliseconds(7200)));
    EXPECT_EQ(timer.armed, milliseconds(1000));
}

// A look that finds a change reports it as any change is reported: the ticks run at their
// interval again from the look on.
TEST_F(GatedTimerTest, AChangeALookFindsBringsTheTicksBackAnIntervalAfterIt) {
    timer.FireAt(milliseconds(5100));
    timer.FireAt(milliseconds(5200));
    ASSERT_TRUE(timer.FireAt(milliseconds(6200)));
    timer.Change();
    EXPECT_EQ(timer.armed, milliseconds(100));
    EXPECT_TRUE(timer.FireAt(milliseconds(6300)));
    EXPECT_EQ(timer.armed, milliseconds(100));
}

TEST(GatedTimer, ATimerSlowerThanTheLooksSleepsAtItsOwnInterval) {
    ClockTimer slow;
    slow.WatchChanges(UntoldChanges::TimersLook);
    slow.setInterval(2500);
    slow.FireAt(milliseconds(7500));
    EXPECT_FALSE(slow.FireAt(milliseconds(10000)));
    EXPECT_EQ(slow.armed, milliseconds(2500));
}

// Where the backend looks for the untold changes itself, an asleep timer costs nothing until one
// is reported, and then ticks at once.
TEST(GatedTimer, ABackendThatLooksItselfLeavesTheAsleepTimerUnarmed) {
    ClockTimer timer;
    timer.WatchChanges(UntoldChanges::BackendLooks);
    timer.setInterval(100);
    timer.FireAt(milliseconds(5100));
    EXPECT_FALSE(timer.FireAt(milliseconds(5200)));
    EXPECT_EQ(timer.armed, std::nullopt);
    timer.now = milliseconds(9000);
    timer.Change();
    EXPECT_EQ(timer.armed, milliseconds(0));
    EXPECT_TRUE(timer.FireAt(milliseconds(9000)));
    EXPECT_EQ(timer.armed, milliseconds(100));
}

// The backend's looks start after the timers have fallen asleep, and may end: an asleep timer
// stops looking once the backend looks, and looks again once the backend's looks end.
TEST_F(GatedTimerTest, AnAsleepTimerLooksOnlyWhileTheBackendDoesNot) {
    timer.FireAt(milliseconds(5100));
    ASSERT_FALSE(timer.FireAt(milliseconds(5200)));
    timer.WatchChanges(UntoldChanges::BackendLooks);
    EXPECT_EQ(timer.armed, std::nullopt);
    timer.WatchChanges(UntoldChanges::TimersLook);
    EXPECT_EQ(timer.armed, milliseconds(1000));
}

TEST_F(GatedTimerTest, EachTickAfterAChangeRunsWhileChangesKeepComing) {
    timer.FireAt(milliseconds(5100));
    for (int tick = 2; tick < 6; ++tick) {
        timer.Change();
        EXPECT_TRUE(timer.FireAt(milliseconds(5000 + 100 * tick)));
    }
    EXPECT_FALSE(timer.FireAt(milliseconds(5600)));
}

// The tick comes at once, and the ticks after it a whole interval apart again.
TEST_F(GatedTimerTest, AChangeAfterAStillSpellBringsATickAtOnce) {
    timer.FireAt(milliseconds(5100));
    timer.FireAt(milliseconds(5200));
    timer.now = milliseconds(8234);
    timer.Change();
    EXPECT_EQ(timer.armed, milliseconds(0));
    EXPECT_TRUE(timer.FireAt(milliseconds(8235)));
    EXPECT_EQ(timer.armed, milliseconds(100));
    EXPECT_FALSE(timer.FireAt(milliseconds(8335)));
}

// No two ticks come closer together than the interval.
TEST_F(GatedTimerTest, AChangeRightAfterTheTimerFellAsleepWaitsOutTheInterval) {
    timer.FireAt(milliseconds(5100));
    timer.FireAt(milliseconds(5200));
    timer.now = milliseconds(5230);
    timer.Change();
    EXPECT_EQ(timer.armed, milliseconds(70));
    EXPECT_TRUE(timer.FireAt(milliseconds(5300)));
    EXPECT_EQ(timer.armed, milliseconds(100));
}

TEST_F(GatedTimerTest, ChangesWhileAwakeLeaveThePeriodAlone) {
    timer.Change();
    timer.Change();
    EXPECT_EQ(timer.armed, milliseconds(100));
    EXPECT_TRUE(timer.FireAt(milliseconds(5100)));
}

TEST_F(GatedTimerTest, WithoutChangesWatchedEveryTickRuns) {
    ClockTimer plain;
    plain.setInterval(100);
    for (int tick = 1; tick < 5; ++tick) {
        EXPECT_TRUE(plain.FireAt(milliseconds(5000 + 100 * tick)));
    }
    EXPECT_EQ(plain.armed, milliseconds(100));
}

// A drag stops the timer and starts it again: the first tick after looks, whatever was seen
// before, and a change while stopped starts nothing.
TEST_F(GatedTimerTest, StoppedAndStartedAgainTheFirstTickRuns) {
    timer.FireAt(milliseconds(5100));
    timer.FireAt(milliseconds(5200));
    timer.setInterval(0);
    EXPECT_EQ(timer.Interval(), 0);
    timer.Change();
    EXPECT_EQ(timer.armed, std::nullopt);
    EXPECT_FALSE(timer.Fire()) << "a tick the native timer had queued";
    timer.now = milliseconds(9000);
    timer.setInterval(100);
    EXPECT_EQ(timer.armed, milliseconds(100));
    EXPECT_TRUE(timer.FireAt(milliseconds(9100)));
}

}  // namespace
}  // namespace zorvin::testing
