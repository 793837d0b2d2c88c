#include "platform/common/form_window.h"

#include <vector>

#include "platform/common/layout_walk.h"
#include "platform/common/screen_placement.h"

namespace zorvin {

// Everything of the form window's own is there before its native window is made; the native window
// reports nothing before its controls are made, and its first place is where the window is.
FormWindow::FormWindow(WindowRegistry& registry, WindowSystem& system, const FormLayout& layout,
                       FormEvents& events)
    : registry_(registry), core_(layout, events, registry.endRecord(), *this) {
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
    position_ = native_->FormPosition(native_->Place());
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
    core_.Unload();
    registry_.Forget(hwnd_);
    timers_.clear();
    native_->Destroy();
}

void FormWindow::AddControls() {
    NativeWindow& native = *native_;
    for (const ControlLayout& control : layout().controls) {
        const ControlKey key{control.name, control.index};
        switch (control.kind) {
            case ControlKind::Picture:
                pictures_.emplace(key, native.AddPicture(control));
                break;
            case ControlKind::Label:
                labels_.emplace(key, native.AddLabel(control));
                break;
            case ControlKind::CommandButton:
                native.AddButton(control);
                break;
            case ControlKind::Timer: {
                std::unique_ptr<GatedTimer> timer = native.AddTimer(control);
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
    for (const MenuLayout* item : PopupItems(layout(), menu)) {
        items.push_back({item->name, item->caption, menuItem(item->name).Checked()});
    }
    const std::optional<ClientPoint> anchor = core_.popupAnchor();
    core_.LoseGrab();
    if (!core_.live()) {
        return;
    }
    const std::optional<std::string_view> chosen = native_->PopupMenu(items, anchor);
    if (chosen && core_.live()) {
        core_.Click({*chosen});
    }
}

void FormWindow::Moved(Point place) {
    if (unloaded_) {
        return;
    }
    registry_.NoteChange();
    if (pending_.Reported(place, native_->PlaceOf(position_)) == Mover::WindowSystem) {
        position_ = native_->FormPosition(place);
    }
}

void FormWindow::MoveOuter(OuterPosition position) {
    position_ = position;
    const Point to = native_->PlaceOf(position_);
    if (visible_) {
        pending_.Asked(to);
    }
    native_->MoveOuter(to);
    registry_.NoteChange();
}

void FormWindow::TimerFired(ControlId timer) {
    const auto found = timers_.find(ControlKey{timer.name, timer.index});
    if (found != timers_.end() && found->second->Fire()) {
        core_.Tick(timer);
    }
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
