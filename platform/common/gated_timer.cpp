#include "platform/common/gated_timer.h"

#include <algorithm>

namespace zorvin {

std::chrono::milliseconds NativeTimer::Now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

// Whatever happened while the timer was stopped (a drag moves the window), the first tick looks.
void GatedTimer::setInterval(std::int32_t milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 0;
    changed_ = true;
    asleep_ = false;
    resuming_ = false;
    if (interval_ == 0) {
        Disarm();
        return;
    }
    lastDue_ = Now();
    Arm(std::chrono::milliseconds(interval_));
}

// The tick after a still spell comes at once, or a whole period after the last one if that is
// later: no two ticks are closer than the interval.
void GatedTimer::Change() {
    changed_ = true;
    if (!asleep_) {
        return;
    }
    asleep_ = false;
    resuming_ = true;
    const std::chrono::milliseconds wait = lastDue_ + std::chrono::milliseconds(interval_) - Now();
    Arm(std::max(wait, std::chrono::milliseconds(0)));
}

void GatedTimer::ChangeUntold() {
    awakeUntil_ = Now() + kAwakeAfterUntold;
    Change();
}

// A native timer may still deliver a tick it had queued before it was stopped; one queued before
// it fell asleep is an early look.
bool GatedTimer::Fire() {
    if (interval_ == 0) {
        return false;
    }
    lastDue_ = Now();
    if (asleep_) {
        return true;
    }
    if (resuming_) {
        resuming_ = false;
        Arm(std::chrono::milliseconds(interval_));
    }
    if (changed_ || !watching_ || lastDue_ < awakeUntil_) {
        changed_ = false;
        return true;
    }
    asleep_ = true;
    Sleep();
    return false;
}

void GatedTimer::WatchChanges(UntoldChanges untold) {
    watching_ = true;
    untold_ = untold;
    if (asleep_) {
        Sleep();
    }
}

// Asleep, the timer looks once a look period unless the backend looks itself.
void GatedTimer::Sleep() {
    if (untold_ == UntoldChanges::BackendLooks) {
        Disarm();
    } else {
        Arm(std::max(kLookPeriod, std::chrono::milliseconds(interval_)));
    }
}

}  // namespace zorvin
