// A form's timer whose ticks may pass while nothing a tick reads is known to have changed: the
// pointer, the window's place, the screens. A still desktop then costs a look a second, or no
// tick at all where the backend looks itself.
//
// The form sees the interval it set, and a drag still stops and restarts the timer by it. The
// backend reports every change it learns of by events (Change); the first tick due after a change
// runs, and the first tick due with no change since the last one ran passes and puts the timer to
// sleep. Asleep, it still runs a tick once a look period (a look): some changes come with no event
// at all (another program warps the pointer), and a look that finds one reports it as a change
// like any other. A change wakes it for a tick at once, or a whole interval after the last tick
// where that is later, and the ticks run at their interval from there: never closer together
// than the form asked, and a move after a still spell is followed at once. Until the backend
// knows that it learns of every change it can (WatchChanges), every tick runs.
//
// Events are an accelerator, never the only truth. A change that no event told of (ChangeUntold:
// a look or a tick found the pointer elsewhere) says that the events are blind to some moves
// here, so the ticks then all run, as a plain timer's do, until none has found anything changed
// for kAwakeAfterUntold: wherever the events are blind, the face is never worse than a plain timer
// after the first move.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <utility>

#include "platform/api/form_runtime.h"
#include "platform/common/native_window.h"

namespace zorvin {

// Over a backend's native timer, which only fires.
class GatedTimer final : public Timer {
  public:
    explicit GatedTimer(std::unique_ptr<NativeTimer> native) : native_(std::move(native)) {}
    ~GatedTimer() override { native_->Disarm(); }
    GatedTimer(const GatedTimer&) = delete;
    GatedTimer& operator=(const GatedTimer&) = delete;

    // How long the ticks all run after a change that no event told of.
    static constexpr std::chrono::milliseconds kAwakeAfterUntold{3000};

    std::int32_t Interval() const final { return interval_; }
    // Starts the ticks, the first a whole period from now, or stops them (0).
    void setInterval(std::int32_t milliseconds) final;

    // From now on the backend reports every change it learns of; `untold`: who looks for those
    // no event tells of, which may change while the timer sleeps.
    void WatchChanges(UntoldChanges untold);
    // Something a tick reads may have changed.
    void Change();
    // Something a tick reads changed, and no event told of it.
    void ChangeUntold();
    // The native timer fired: whether the form's tick runs.
    bool Fire();

  private:
    void Arm(std::chrono::milliseconds period) { native_->Arm(period); }
    void Disarm() { native_->Disarm(); }
    std::chrono::milliseconds Now() const { return native_->Now(); }
    void Sleep();

    std::unique_ptr<NativeTimer> native_;
    std::int32_t interval_ = 0;
    bool watching_ = false;
    UntoldChanges untold_ = UntoldChanges::TimersLook;
    bool changed_ = true;
    bool asleep_ = false;
    // Armed for the first tick after a still spell; armed for the interval at that tick.
    bool resuming_ = false;
    // When the native timer last fired.
    std::chrono::milliseconds lastDue_{};
    // Until when every tick runs, after a change no event told of.
    std::chrono::milliseconds awakeUntil_{};
};

}  // namespace zorvin
