// A form's timer whose ticks may pass while nothing a tick reads can have changed: the pointer,
// the window's place, the screens. A still desktop then costs no wake-ups at all.
//
// The form sees the interval it set, and a drag still stops and restarts the timer by it. The
// backend reports every change it learns of by events (Change); the first tick due after a change
// runs, and the first tick due with no change since the last one ran passes and puts the native
// timer to sleep. A change wakes it for the tick that would have been due had it never slept, so
// the ticks keep their period and phase: a move is followed as soon as it always was. Until the
// backend knows that it learns of every change (WatchChanges), every tick runs.
#pragma once

#include <chrono>
#include <cstdint>

#include "platform/form_runtime.h"

namespace zorvin {

class GatedTimer : public Timer {
  public:
    std::int32_t Interval() const final { return interval_; }
    // Starts the ticks, the first a whole period from now, or stops them (0).
    void setInterval(std::int32_t milliseconds) final;

    // From now on the backend reports every change.
    void WatchChanges() { watching_ = true; }
    // Something a tick reads may have changed.
    void Change();
    // The native timer fired: whether the form's tick runs.
    bool Fire();

  protected:
    // A backend's native timer.
    // Fires every `period` from now on, in place of any period before.
    virtual void Arm(std::chrono::milliseconds period) = 0;
    virtual void Disarm() = 0;
    // A steady clock.
    virtual std::chrono::milliseconds Now() const;

  private:
    std::int32_t interval_ = 0;
    bool watching_ = false;
    bool changed_ = true;
    bool asleep_ = false;
    // Armed for what was left of a period when it woke; armed for the period at the next tick.
    bool resuming_ = false;
    // When the last tick was due; the next are due a whole number of periods later.
    std::chrono::milliseconds lastDue_{};
};

}  // namespace zorvin
