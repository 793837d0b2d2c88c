#include "platform/headless/headless_platform.h"

#include <stdexcept>
#include <utility>

#include "platform/control_lookup.h"
#include "platform/pixels.h"

namespace zorvin::headless {
namespace {

constexpr std::int32_t kBorder = 3;  // right and bottom edges of the frame

std::string text(const char* s) {
    return s ? s : "null";
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const FormLayout& layout,
                               FormEvents& events, Hwnd hwnd)
    : platform_(platform), layout_(layout), events_(events), hwnd_(hwnd) {
    // First placement: the outer window centred on the screen.
    const std::int32_t outerWidth = layout.clientOrigin.x + layout.client.width + kBorder;
    const std::int32_t outerHeight = layout.clientOrigin.y + layout.client.height + kBorder;
    left_ = static_cast<float>((HeadlessPlatform::kScreen.width - outerWidth) / 2);
    top_ = static_cast<float>((HeadlessPlatform::kScreen.height - outerHeight) / 2);

    for (const ControlLayout& control : layout.controls) {
        const ControlKey key{control.name, control.index};
        switch (control.kind) {
            case ControlKind::Picture:
                pictures_.emplace(key, std::make_unique<HeadlessPicture>(control));
                break;
            case ControlKind::Label:
                labels_.emplace(key, std::make_unique<HeadlessLabel>(control));
                break;
            case ControlKind::Timer:
                timers_.emplace(key, std::make_unique<HeadlessTimer>(control));
                break;
            case ControlKind::CommandButton:
                break;  // a button has no property the forms read or write
        }
    }
    for (const MenuLayout& item : layout.menu) {
        menuItems_.emplace(item.name, std::make_unique<HeadlessMenuItem>(item));
    }
}

HeadlessWindow::~HeadlessWindow() {
    platform_.forget(*this);
}

HeadlessPicture& HeadlessWindow::picture(ControlId id) {
    return FindControl(pictures_, id, "picture");
}

HeadlessLabel& HeadlessWindow::label(ControlId id) {
    return FindControl(labels_, id, "label");
}

HeadlessTimer& HeadlessWindow::timer(ControlId id) {
    return FindControl(timers_, id, "timer");
}

HeadlessMenuItem& HeadlessWindow::menuItem(std::string_view name) {
    return FindMenuItem(menuItems_, name);
}

Point HeadlessWindow::clientOrigin() const {
    return {PixelOf(left_) + layout_.clientOrigin.x, PixelOf(top_) + layout_.clientOrigin.y};
}

std::unique_ptr<Window> HeadlessPlatform::createWindow(const FormLayout& layout,
                                                       FormEvents& events) {
    const Hwnd hwnd = nextHandle_;
    nextHandle_ += 0x10;
    auto window = std::make_unique<HeadlessWindow>(*this, layout, events, hwnd);
    windows_.emplace(hwnd, window.get());
    record("Load " + std::string(layout.name));
    return window;
}

void HeadlessPlatform::forget(HeadlessWindow& window) {
    record("Unload " + std::string(window.layout().name));
    windows_.erase(window.hWnd());
    if (capture_ && capture_->hwnd == window.hWnd()) {
        capture_.reset();
    }
}

void HeadlessPlatform::Show(Window& window) {
    auto& shown = static_cast<HeadlessWindow&>(window);
    shown.visible_ = true;
    record("Show " + std::string(shown.layout().name));
}

void HeadlessPlatform::DoEvents() {
    record("DoEvents");
}

// The menu is modal: it takes the mouse, so a press that opened it holds no capture afterwards.
void HeadlessPlatform::PopupMenu(Window& window, std::string_view menu) {
    auto& owner = static_cast<HeadlessWindow&>(window);
    record("PopupMenu " + std::string(owner.layout().name) + " " + std::string(menu));
    capture_.reset();
    if (popupChoices_.empty()) {
        return;
    }
    const std::string choice = popupChoices_.front();
    popupChoices_.pop_front();
    owner.menuItem(choice);  // the item must exist
    owner.events().Click({choice});
}

void HeadlessPlatform::End() {
    record("End");
    ended_ = true;
    for (auto& [hwnd, window] : windows_) {
        window->visible_ = false;
    }
}

Hrgn HeadlessPlatform::CreatePolygonRgn(const Point* points, std::int32_t count,
                                        std::int32_t fillMode) {
    const Hrgn handle = nextRegion_++;
    regions_[handle] = {std::vector<Point>(points, points + count), fillMode};
    record("CreatePolygonRgn " + std::to_string(count) + " " + std::to_string(fillMode));
    return handle;
}

std::int32_t HeadlessPlatform::SetWindowRgn(Hwnd hwnd, Hrgn region, bool redraw) {
    record("SetWindowRgn " + nameOf(hwnd) + " " + std::to_string(region) + " " +
           std::to_string(redraw));
    const auto window = windows_.find(hwnd);
    if (window == windows_.end()) {
        return 0;
    }
    window->second->region_ = region;
    return 1;
}

bool HeadlessPlatform::SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
    record("SetWindowPos " + nameOf(hwnd) + " " + std::to_string(insertAfter) + " " +
           std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) + " " +
           std::to_string(cy) + " " + std::to_string(flags));
    return windows_.contains(hwnd);
}

bool HeadlessPlatform::GetCursorPos(Point& point) {
    record("GetCursorPos");
    point = cursor_;
    return true;
}

bool HeadlessPlatform::ScreenToClient(Hwnd hwnd, Point& point) {
    record("ScreenToClient " + nameOf(hwnd));
    const auto window = windows_.find(hwnd);
    if (window == windows_.end()) {
        return false;
    }
    const Point origin = window->second->clientOrigin();
    point = {point.x - origin.x, point.y - origin.y};
    return true;
}

std::intptr_t HeadlessPlatform::ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                              const char* parameters, const char* directory,
                                              std::int32_t showCmd) {
    record("ShellExecuteA " + nameOf(hwnd) + " " + text(operation) + " " + text(file) + " " +
           text(parameters) + " " + text(directory) + " " + std::to_string(showCmd));
    return 42;  // above 32: success, as the system reports it
}

void HeadlessPlatform::tick() {
    // A handler may unload windows or stop timers, so each timer is looked up again before it
    // ticks.
    std::vector<std::pair<Hwnd, ControlId>> due;
    for (auto& [hwnd, window] : windows_) {
        for (auto& [key, timer] : window->timers_) {
            if (timer->Interval() != 0) {
                due.emplace_back(hwnd, ControlId{key.first, key.second});
            }
        }
    }
    for (const auto& [hwnd, id] : due) {
        const auto window = windows_.find(hwnd);
        if (ended_ || window == windows_.end()) {
            continue;
        }
        if (window->second->timer(id).Interval() != 0) {
            window->second->events().Timer(id);
        }
    }
}

void HeadlessPlatform::mouseDown(std::string_view form, ControlId control, std::int16_t button,
                                 float x, float y) {
    HeadlessWindow* window = live(form);
    if (!window) {
        return;
    }
    if (capture_) {
        capture_->held = static_cast<std::int16_t>(capture_->held | button);
    } else {
        capture_ = Capture{window->hWnd(), std::string(control.name), control.index, button};
    }
    const Capture target = *capture_;
    windows_.at(target.hwnd)->events().MouseDown({target.control, target.index}, {button, 0, x, y});
}

void HeadlessPlatform::mouseMove(std::string_view form, ControlId control, std::int16_t buttons,
                                 float x, float y) {
    HeadlessWindow* window = live(form);
    if (!window) {
        return;
    }
    if (capture_) {
        const Capture target = *capture_;
        windows_.at(target.hwnd)
            ->events()
            .MouseMove({target.control, target.index}, {buttons, 0, x, y});
    } else {
        window->events().MouseMove(control, {buttons, 0, x, y});
    }
}

void HeadlessPlatform::mouseUp(std::string_view form, ControlId control, std::int16_t button,
                               float x, float y) {
    HeadlessWindow* window = live(form);
    if (!window) {
        return;
    }
    if (!capture_) {
        window->events().MouseUp(control, {button, 0, x, y});
        return;
    }
    const Capture target = *capture_;
    capture_->held = static_cast<std::int16_t>(capture_->held & ~button);
    if (capture_->held == 0) {
        capture_.reset();
    }
    windows_.at(target.hwnd)->events().MouseUp({target.control, target.index}, {button, 0, x, y});
}

void HeadlessPlatform::chooseMenuItem(std::string_view form, std::string_view item) {
    if (HeadlessWindow* window = live(form)) {
        window->menuItem(item);  // the item must exist
        window->events().Click({item});
    }
}

void HeadlessPlatform::clickButton(std::string_view form, std::string_view button) {
    if (HeadlessWindow* window = live(form)) {
        window->events().Click({button});
    }
}

void HeadlessPlatform::pressKey(std::string_view form, Key key) {
    HeadlessWindow* window = live(form);
    if (!window) {
        return;
    }
    for (const ControlLayout& control : window->layout().controls) {
        const bool presses = key == Key::Enter ? control.isDefault : control.isCancel;
        if (control.kind == ControlKind::CommandButton && presses) {
            window->events().Click({control.name, control.index});
            return;
        }
    }
}

void HeadlessPlatform::closeFromCaption(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->events().CaptionClose();
    }
}

HeadlessWindow* HeadlessPlatform::window(std::string_view form) {
    for (auto& [hwnd, window] : windows_) {
        if (window->layout().name == form) {
            return window;
        }
    }
    return nullptr;
}

Hwnd HeadlessPlatform::handleOf(std::string_view form) {
    HeadlessWindow* found = window(form);
    return found ? found->hWnd() : 0;
}

HeadlessWindow* HeadlessPlatform::live(std::string_view form) {
    return ended_ ? nullptr : window(form);
}

std::string HeadlessPlatform::nameOf(Hwnd hwnd) const {
    const auto window = windows_.find(hwnd);
    return window == windows_.end() ? std::to_string(hwnd)
                                    : std::string(window->second->layout().name);
}

std::vector<std::string> HeadlessPlatform::calls(std::string_view call) const {
    std::vector<std::string> found;
    for (const std::string& line : log_) {
        if (line.starts_with(call)) {
            found.push_back(line);
        }
    }
    return found;
}

}  // namespace zorvin::headless
