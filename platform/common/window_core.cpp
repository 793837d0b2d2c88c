#include "platform/common/window_core.h"

#include <utility>

#include "platform/common/pixels.h"

namespace zorvin {

WindowCore::WindowCore(const FormLayout& layout, FormEvents& events, const bool& ended,
                       CoreHost& host)
    : layout_(layout), events_(events), ended_(ended), host_(host) {}

void WindowCore::Unload() {
    unloaded_ = true;
    router_.TakeHeld();
    asked_.reset();
}

// Whole pixels, as the control is shown.
std::optional<ControlId> WindowCore::ControlAt(ClientPoint at) const {
    const std::int32_t x = PixelOf(at.x);
    const std::int32_t y = PixelOf(at.y);
    for (auto control = layout_.controls.rbegin(); control != layout_.controls.rend(); ++control) {
        if (control->kind != ControlKind::Picture && control->kind != ControlKind::Label) {
            continue;
        }
        const ControlId id{control->name, control->index};
        const ClientPoint origin = host_.ControlOrigin(id);
        const std::int32_t left = PixelOf(origin.x);
        const std::int32_t top = PixelOf(origin.y);
        if (x >= left && x < left + control->width && y >= top && y < top + control->height) {
            return id;
        }
    }
    return std::nullopt;
}

// The form may unload the window, or end the program, inside the event; the window then neither
// moves nor delivers anything more.
template <typename Event>
void WindowCore::Deliver(const Event& event) {
    if (!live()) {
        return;
    }
    ++eventsRunning_;
    event(events_);
    --eventsRunning_;
    if (live()) {
        ApplyAskedMove();
    }
}

void WindowCore::DeliverMouse(void (FormEvents::*handler)(ControlId, const MouseArgs&),
                              std::optional<ControlId> target, MouseArgs args, ClientPoint at) {
    lastPointer_ = at;
    if (!target) {
        return;
    }
    const ClientPoint origin = host_.ControlOrigin(*target);
    args.X = at.x - origin.x;
    args.Y = at.y - origin.y;
    Deliver([&](FormEvents& events) { (events.*handler)(*target, args); });
}

void WindowCore::Press(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                       ClientPoint at) {
    if (!live()) {
        return;
    }
    if (!router_.holding()) {
        host_.GrabPointer();
    }
    const std::optional<ControlId> target = router_.Press(hit, button);
    DeliverMouse(&FormEvents::MouseDown, target, {.Button = button, .Shift = shift}, at);
}

void WindowCore::Move(std::optional<ControlId> hit, std::int16_t buttons, std::int16_t shift,
                      ClientPoint at) {
    DeliverMouse(&FormEvents::MouseMove, router_.Move(hit), {.Button = buttons, .Shift = shift},
                 at);
}

void WindowCore::Release(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                         ClientPoint at) {
    const bool held = router_.holding();
    const std::optional<ControlId> target = router_.Release(hit, button);
    if (held && !router_.holding()) {
        host_.ReleasePointer();
    }
    DeliverMouse(&FormEvents::MouseUp, target, {.Button = button, .Shift = shift}, at);
}

void WindowCore::LoseGrab() {
    const std::optional<MouseRouter::Held> held = router_.TakeHeld();
    if (!held) {
        return;
    }
    // A lost release may come inside another (a menu opened by a press, closed by a release lost
    // in turn); the outer one still runs when the inner one ends.
    const bool outer = std::exchange(endingLostPress_, true);
    for (const std::int16_t button : {vbLeftButton, vbRightButton, vbMiddleButton}) {
        if ((held->buttons & button) != 0 && live()) {
            DeliverMouse(&FormEvents::MouseUp, held->control, {.Button = button}, lastPointer_);
        }
    }
    endingLostPress_ = outer;
}

void WindowCore::Click(ControlId control) {
    Deliver([&](FormEvents& events) { events.Click(control); });
}

void WindowCore::Tick(ControlId timer) {
    Deliver([&](FormEvents& events) { events.Timer(timer); });
}

void WindowCore::CaptionClose() {
    Deliver([](FormEvents& events) { events.CaptionClose(); });
}

void WindowCore::KeyboardContextMenu() {
    if (layout_.menu.empty() || router_.holding() || !live()) {
        return;
    }
    const ClientPoint middle{static_cast<float>(layout_.client.width / 2),
                             static_cast<float>(layout_.client.height / 2)};
    const std::optional<ControlId> hit = ControlAt(middle);
    popupAnchor_ = middle;
    Press(hit, vbRightButton, 0, middle);
    popupAnchor_.reset();
    if (router_.holding()) {
        Release(hit, vbRightButton, 0, middle);
    }
}

void WindowCore::ApplyAskedMove() {
    if (const std::optional<OuterPosition> asked = std::exchange(asked_, std::nullopt)) {
        host_.MoveOuter(*asked);
    }
}

}  // namespace zorvin
