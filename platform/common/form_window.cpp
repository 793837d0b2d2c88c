#include "platform/common/form_window.h"

#include <utility>
#include <vector>

#include "platform/common/layout_walk.h"
#include "platform/common/pixels.h"
#include "platform/common/screen_placement.h"

namespace zorvin {

// Everything of the form window's own is there before its native window is made; the native window
// reports nothing before its controls are made, and its first place is where the window is.
FormWindow::FormWindow(WindowRegistry& registry, WindowSystem& system, const FormLayout& layout,
                       FormEvents& events)
    : registry_(registry), layout_(layout), events_(events) {
    for (const MenuLayout& item : layout.menu) {
        checkMarks_.emplace(item.name, std::make_unique<CheckMark>(item.checked));
    }
    std::optional<Rect> loaded;
    if (const std::vector<FormWindow*> others = registry.windows(); !others.empty()) {
        loaded = others.front()->native().OuterRect();
    }
    const std::vector<Rect> screens = system.Screens();
    native_ = system.NewWindow(*this, layout, ScreenHoldingMost(screens, loaded));
    AddControls();
    position_ = FormPosition(native_->Place());
    Rescaled();  // placed, the window has the scale of the screen it is on
    hwnd_ = registry.Add(*this);
}

FormWindow::~FormWindow() {
    Unload();
}

// The timers stop before the native window goes, so that no tick comes after.
void FormWindow::Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    visible_ = false;
    router_.TakeHeld();
    asked_.reset();
    registry_.Forget(hwnd_);
    timers_.clear();
    native_->Destroy();
}

void FormWindow::AddControls() {
    NativeWindow& native = *native_;
    for (const ControlLayout& control : layout_.controls) {
        const ControlKey key{control.name, control.index};
        switch (control.kind) {
            case ControlKind::Picture:
                pictures_.emplace(key, std::make_unique<FormPicture>(
                                           control, native.AddPicture(control), native));
                break;
            case ControlKind::Label:
                labels_.emplace(key, native.AddLabel(control));
                break;
            case ControlKind::CommandButton:
                native.AddButton(control);
                break;
            case ControlKind::Timer: {
                auto timer = std::make_unique<GatedTimer>(native.AddTimer(control));
                if (registry_.watching()) {
                    timer->WatchChanges(registry_.untold());
                }
                timer->setInterval(control.interval);
                timers_.emplace(key, std::move(timer));
                break;
            }
        }
    }
}

void FormWindow::Show() {
    visible_ = true;
    native_->Show();
}

void FormWindow::Hide() {
    visible_ = false;
    native_->Hide();
}

// The menu takes the pointer, so a press that opened it holds it no more. The chosen item's Click
// runs once the menu has closed, before this returns.
void FormWindow::PopupMenu(std::string_view menu) {
    std::vector<PopupItem> items;
    for (const MenuLayout* item : PopupItems(layout_, menu)) {
        items.push_back({item->name, item->caption, menuItem(item->name).Checked()});
    }
    const std::optional<ClientPoint> anchor = popupAnchor_;
    LoseGrab();
    if (!live()) {
        return;
    }
    const std::optional<std::string_view> chosen = native_->PopupMenu(items, anchor);
    if (chosen && live()) {
        Click({*chosen});
    }
}

void FormWindow::ApplyAskedMove() {
    if (const std::optional<OuterPosition> asked = std::exchange(asked_, std::nullopt)) {
        MoveOuter(*asked);
    }
}

Point FormWindow::PlaceOf(OuterPosition position) const {
    const DpiScale scale = native_->Scale();
    return {scale.ToDevice(position.left), scale.ToDevice(position.top)};
}

OuterPosition FormWindow::FormPosition(Point place) const {
    const DpiScale scale = native_->Scale();
    return {scale.ToForm(place.x), scale.ToForm(place.y)};
}

// The cursor comes in device pixels, so that the one rounding to the form's pixels happens here.
Point FormWindow::ScreenToClient(Point screen) const {
    const DpiScale scale = native_->Scale();
    const Point client = native_->ScreenToClient(screen);
    return {scale.ToFormPixel(client.x), scale.ToFormPixel(client.y)};
}

void FormWindow::MoveOuter(OuterPosition position) {
    position_ = position;
    const Point to = PlaceOf(position_);
    if (visible_) {
        pending_.Asked(to);
    }
    native_->MoveOuter(to);
    registry_.NoteChange();
}

void FormWindow::Moved(Point place) {
    if (unloaded_) {
        return;
    }
    registry_.NoteChange();
    if (pending_.Reported(place, PlaceOf(position_)) == Mover::WindowSystem) {
        position_ = FormPosition(place);
    }
}

void FormWindow::Rescaled() {
    for (const auto& [key, picture] : pictures_) {
        picture->Place();
    }
}

// The form may unload the window, or end the program, inside the event; the window then neither
// moves nor delivers anything more.
template <typename Event>
void FormWindow::Deliver(const Event& event) {
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

void FormWindow::DeliverMouse(void (FormEvents::*handler)(ControlId, const MouseArgs&),
                              std::optional<ControlId> target, MouseArgs args, ClientPoint at) {
    lastPointer_ = at;
    if (!target) {
        return;
    }
    const ClientPoint origin = ControlOrigin(*target);
    args.X = at.x - origin.x;
    args.Y = at.y - origin.y;
    Deliver([&](FormEvents& events) { (events.*handler)(*target, args); });
}

void FormWindow::Press(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                       ClientPoint at) {
    if (!live()) {
        return;
    }
    if (!router_.holding()) {
        native_->GrabPointer();
    }
    const std::optional<ControlId> target = router_.Press(hit, button);
    DeliverMouse(&FormEvents::MouseDown, target, {.Button = button, .Shift = shift}, at);
}

void FormWindow::Move(std::optional<ControlId> hit, std::int16_t buttons, std::int16_t shift,
                      ClientPoint at) {
    DeliverMouse(&FormEvents::MouseMove, router_.Move(hit), {.Button = buttons, .Shift = shift},
                 at);
}

void FormWindow::Release(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                         ClientPoint at) {
    const bool held = router_.holding();
    const std::optional<ControlId> target = router_.Release(hit, button);
    if (held && !router_.holding()) {
        native_->ReleasePointer();
    }
    DeliverMouse(&FormEvents::MouseUp, target, {.Button = button, .Shift = shift}, at);
}

void FormWindow::LoseGrab() {
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

void FormWindow::Click(ControlId control) {
    Deliver([&](FormEvents& events) { events.Click(control); });
}

void FormWindow::CaptionClose() {
    Deliver([](FormEvents& events) { events.CaptionClose(); });
}

void FormWindow::KeyboardContextMenu() {
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

void FormWindow::TimerFired(ControlId timer) {
    const auto found = timers_.find(ControlKey{timer.name, timer.index});
    if (found != timers_.end() && found->second->Fire()) {
        Deliver([&](FormEvents& events) { events.Timer(timer); });
    }
}

// Whole pixels, as the control is shown.
std::optional<ControlId> FormWindow::ControlAt(ClientPoint at) const {
    const std::int32_t x = PixelOf(at.x);
    const std::int32_t y = PixelOf(at.y);
    for (auto control = layout_.controls.rbegin(); control != layout_.controls.rend(); ++control) {
        if (control->kind != ControlKind::Picture && control->kind != ControlKind::Label) {
            continue;
        }
        const ControlId id{control->name, control->index};
        const ClientPoint origin = ControlOrigin(id);
        const std::int32_t left = PixelOf(origin.x);
        const std::int32_t top = PixelOf(origin.y);
        if (x >= left && x < left + control->width && y >= top && y < top + control->height) {
            return id;
        }
    }
    return std::nullopt;
}

void FormWindow::NoteChange() {
    for (const auto& [key, timer] : timers_) {
        timer->Change();
    }
}

void FormWindow::NoteUntoldChange() {
    for (const auto& [key, timer] : timers_) {
        timer->ChangeUntold();
    }
}

void FormWindow::WatchChanges(UntoldChanges untold) {
    for (const auto& [key, timer] : timers_) {
        timer->WatchChanges(untold);
    }
}

bool FormWindow::ticking() const {
    for (const auto& [key, timer] : timers_) {
        if (timer->Interval() > 0) {
            return true;
        }
    }
    return false;
}

ClientPoint FormWindow::ControlOrigin(ControlId control) const {
    const ControlKey key{control.name, control.index};
    if (const auto picture = pictures_.find(key); picture != pictures_.end()) {
        return {picture->second->Left(), picture->second->Top()};
    }
    return labels_.at(key)->Origin();
}

}  // namespace zorvin
