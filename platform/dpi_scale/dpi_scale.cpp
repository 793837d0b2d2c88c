#include "platform/dpi_scale/dpi_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvin {
namespace {

constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, kLowest, kHighest));
}

// numerator / denominator at the nearest whole number, halves up, for either sign; denominator > 0.
std::int32_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t twice = 2 * numerator + denominator;
    const std::int64_t below = twice / (2 * denominator);
    return Saturated(below * 2 * denominator > twice ? below - 1 : below);
}

// value / 2, rounded down, for either sign.
std::int32_t FloorHalf(std::int64_t value) {
    return Saturated(value >= 0 ? value / 2 : -((1 - value) / 2));
}

// Along one axis, `start` of a span of `length` moved the least that puts the span's middle
// strictly inside [low, high): twice the middle, 2 start + length, from 2 low + 1 to 2 high - 1.
std::int32_t StartWithMiddleInside(std::int32_t start, std::int32_t length, std::int32_t low,
                                   std::int32_t high) {
    const std::int32_t lowest = FloorHalf(2 * static_cast<std::int64_t>(low) + 2 - length);
    const std::int32_t highest = FloorHalf(2 * static_cast<std::int64_t>(high) - 1 - length);
    return std::clamp(start, lowest, std::max(lowest, highest));
}

}  // namespace

int SaneDpi(double dpi) {
    return static_cast<int>(std::lround(SaneScaleFactor(dpi / kStandardDpi) * kStandardDpi));
}

double SaneScaleFactor(double factor) {
    constexpr double kHighestFactor = static_cast<double>(kHighestDpi) / kStandardDpi;
    return std::isfinite(factor) && factor > 0 ? std::clamp(factor, 1.0, kHighestFactor) : 1;
}

DpiScale::DpiScale(std::int32_t numerator, std::int32_t denominator)
    : numerator_(numerator), denominator_(denominator) {}

DpiScale DpiScale::Of(DpiScaling scaling, int dpi) {
    return scaling == DpiScaling::WholeFactor ? WholeFactor(dpi) : Proportional(dpi);
}

DpiScale DpiScale::WholeFactor(int dpi) {
    return {RoundedQuotient(SaneDpi(dpi), kStandardDpi), 1};
}

DpiScale DpiScale::Proportional(int dpi) {
    return {SaneDpi(dpi), kStandardDpi};
}

std::int32_t DpiScale::ToDevice(std::int32_t form) const {
    return RoundedQuotient(static_cast<std::int64_t>(form) * numerator_, denominator_);
}

std::int32_t DpiScale::ToDevice(float form) const {
    const double device = std::floor(static_cast<double>(form) * numerator_ / denominator_ + 0.5);
    if (std::isnan(device)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp<double>(device, kLowest, kHighest));
}

Rect DpiScale::ToDevice(const Rect& form) const {
    return {ToDevice(form.left), ToDevice(form.top), ToDevice(form.right), ToDevice(form.bottom)};
}

float DpiScale::ToForm(std::int32_t device) const {
    return static_cast<float>(static_cast<double>(device) * denominator_ / numerator_);
}

std::int32_t DpiScale::ToFormPixel(std::int32_t device) const {
    return RoundedQuotient(static_cast<std::int64_t>(device) * denominator_, numerator_);
}

// The largest form pixel m whose left edge, m * ratio rounded halves up, is at most `device`:
// 2 m numerator < (2 device + 1) denominator.
std::int32_t DpiScale::FormPixelAt(std::int32_t device) const {
    const std::int64_t bound = (2 * static_cast<std::int64_t>(device) + 1) * denominator_;
    const std::int64_t step = 2 * static_cast<std::int64_t>(numerator_);
    const std::int64_t below = bound / step - (bound % step < 0 ? 1 : 0);  // floor
    return static_cast<std::int32_t>(bound % step == 0 ? below - 1 : below);
}

Point RescaledOrigin(Point origin, Point anchor, const DpiScale& before, const DpiScale& after) {
    const auto keep = [&](std::int64_t from, std::int64_t at) {
        return Saturated(at - after.ToDevice(before.ToForm(Saturated(at - from))));
    };
    return {keep(origin.x, anchor.x), keep(origin.y, anchor.y)};
}

Point RescaledPlace(const Rescaling& rescaling) {
    const DpiScale& before = rescaling.before;
    const Point origin = rescaling.clientOrigin;
    const auto middle = [&](std::int64_t start, std::int32_t length) {
        return Saturated(start + before.ToDevice(length) / 2);
    };
    const Point anchor = rescaling.pointer.value_or(
        Point{middle(origin.x, rescaling.client.width), middle(origin.y, rescaling.client.height)});
    const Point kept = RescaledOrigin(origin, anchor, before, rescaling.after);
    const Rect& monitor = rescaling.monitor;
    return {StartWithMiddleInside(Saturated(std::int64_t{kept.x} - rescaling.clientOffset.x),
                                  rescaling.outer.width, monitor.left, monitor.right),
            StartWithMiddleInside(Saturated(std::int64_t{kept.y} - rescaling.clientOffset.y),
                                  rescaling.outer.height, monitor.top, monitor.bottom)};
}

}  // namespace zorvin
