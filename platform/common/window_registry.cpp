#include "platform/common/window_registry.h"

#include <algorithm>

#include "platform/common/form_window.h"

namespace zorvin {

Hwnd WindowRegistry::Add(FormWindow& window) {
    const Hwnd hwnd = nextHandle_;
    nextHandle_ += kHandleStep;
    windows_.emplace(hwnd, &window);
    return hwnd;
}

void WindowRegistry::Forget(Hwnd hwnd) {
    windows_.erase(hwnd);
}

FormWindow* WindowRegistry::find(Hwnd hwnd) const {
    const auto found = windows_.find(hwnd);
    return found == windows_.end() ? nullptr : found->second;
}

std::vector<FormWindow*> WindowRegistry::windows() const {
    std::vector<FormWindow*> loaded;
    for (const auto& [hwnd, window] : windows_) {
        loaded.push_back(window);
    }
    return loaded;
}

void WindowRegistry::WatchChanges(UntoldChanges untold) {
    watching_ = true;
    untold_ = untold;
    for (const auto& [hwnd, window] : windows_) {
        window->WatchChanges(untold);
    }
}

void WindowRegistry::NoteChange() {
    told_ = true;
    for (const auto& [hwnd, window] : windows_) {
        window->NoteChange();
    }
}

void WindowRegistry::NoteUntoldChange() {
    for (const auto& [hwnd, window] : windows_) {
        window->NoteUntoldChange();
    }
}

void WindowRegistry::NoteCursorRead(bool moved) {
    if (moved && !told_) {
        NoteUntoldChange();
    } else if (moved) {
        NoteChange();
    }
    told_ = false;
}

bool WindowRegistry::ticking() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const auto& window) { return window.second->ticking(); });
}

void WindowRegistry::ApplyAskedMoves() {
    for (FormWindow* window : windows()) {
        window->ApplyAskedMove();
    }
}

}  // namespace zorvin
