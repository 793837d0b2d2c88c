#include "platform/headless/headless_platform.h"

#include <stdexcept>
#include <utility>

#include "platform/common/pixels.h"
#include "platform/common/screen_placement.h"

namespace zorvin::headless {

namespace {

// The client area at the window's scale, inside the frame its layout was designed with.
Size OuterSizeAt(const FormLayout& layout, const DpiScale& scale) {
    const Size designed = DesignedOuterSize(layout);
    return {designed.width - layout.client.width + scale.ToDevice(layout.client.width),
            designed.height - layout.client.height + scale.ToDevice(layout.client.height)};
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, WindowEvents& events,
                               const FormLayout& layout, const Rect& screen)
    : platform_(platform),
      events_(events),
      layout_(layout),
      screen_(screen),
      scale_(DpiScale::Of(layout.dpiScaling, kStandardDpi)) {
    platform.record("Load " + std::string(layout.name));
}

// Made at 96 DPI, as a Windows window is, it takes the display's scale only when placed: the form
// window must place its pictures by the scale it has then.
Point HeadlessWindow::Place() {
    scale_ = DpiScale::Of(layout_.dpiScaling, platform_.dpi_);
    corner_ = CentredOn(screen_, OuterSizeAt(layout_, scale_));
    return corner_;
}

std::unique_ptr<NativePicture> HeadlessWindow::AddPicture(const ControlLayout& control) {
    auto picture = std::make_unique<HeadlessPicture>();
    pictures_.emplace(ControlKey{control.name, control.index}, picture.get());
    return picture;
}

std::unique_ptr<NativeLabel> HeadlessWindow::AddLabel(const ControlLayout& control) {
    return std::make_unique<HeadlessLabel>(control);
}

void HeadlessWindow::AddButton(const ControlLayout& /*control*/) {}

std::unique_ptr<NativeTimer> HeadlessWindow::AddTimer(const ControlLayout& control) {
    auto timer = std::make_unique<HeadlessTimer>(platform_.clock_);
    timers_.emplace(ControlKey{control.name, control.index}, timer.get());
    return timer;
}

void HeadlessWindow::Show() {
    visible_ = true;
    platform_.record("Show " + std::string(layout().name));
}

// The form window's timers are gone by now.
void HeadlessWindow::Destroy() {
    visible_ = false;
    timers_.clear();
    platform_.record("Unload " + std::string(layout().name));
}

// The move is made and reported at once.
void HeadlessWindow::MoveOuter(Point place) {
    corner_ = place;
    platform_.record("Move " + std::string(layout().name) + " " + std::to_string(place.x) + " " +
                     std::to_string(place.y));
    events_.Moved(place);
}

Rect HeadlessWindow::OuterRect() const {
    const Size outer = OuterSizeAt(layout(), scale_);
    return {corner_.x, corner_.y, corner_.x + outer.width, corner_.y + outer.height};
}

Point HeadlessWindow::clientOrigin() const {
    return {corner_.x + layout().clientOrigin.x, corner_.y + layout().clientOrigin.y};
}

Point HeadlessWindow::ScreenToClient(Point screen) const {
    platform_.record("ScreenToClient " + std::string(layout().name));
    const Point origin = clientOrigin();
    return {screen.x - origin.x, screen.y - origin.y};
}

void HeadlessWindow::SetShape(std::span<const Point> outline, FillRule rule) {
    shape_ = Shape{{outline.begin(), outline.end()}, rule};
    platform_.record("Shape " + std::string(layout().name));
}

// The log shows the items as built: captions, check marks, separators, and where the menu opened.
std::optional<std::string_view> HeadlessWindow::PopupMenu(std::span<const PopupItem> items,
                                                          std::optional<ClientPoint> anchor) {
    std::string line = "PopupMenu " + std::string(layout().name);
    if (anchor) {
        line +=
            " at " + std::to_string(PixelOf(anchor->x)) + " " + std::to_string(PixelOf(anchor->y));
    }
    line += ":";
    for (const PopupItem& item : items) {
        line += " [" + std::string(item.caption) + (item.checked ? " checked" : "") + "]";
    }
    platform_.record(line);
    if (platform_.closeDuringPopup_ == layout().name) {
        platform_.closeDuringPopup_.clear();
        events_.CaptionClose();
    }
    if (platform_.popupChoices_.empty()) {
        return std::nullopt;
    }
    const std::string choice = platform_.popupChoices_.front();
    platform_.popupChoices_.pop_front();
    for (const PopupItem& item : items) {
        if (item.name == choice) {
            return item.name;
        }
    }
    throw std::out_of_range("no menu item " + choice + " in the menu");
}

HeadlessPlatform::HeadlessPlatform(WindowRegistry& registry, int dpi)
    : registry_(registry), dpi_(dpi) {
    registry_.WatchChanges(UntoldChanges::TimersLook);  // it makes every change itself
}

std::unique_ptr<NativeWindow> HeadlessPlatform::NewWindow(WindowEvents& events,
                                                          const FormLayout& layout,
                                                          const Rect& screen) {
    return std::make_unique<HeadlessWindow>(*this, events, layout, screen);
}

Point HeadlessPlatform::CursorPosition() {
    record("CursorPosition");
    return cursor_;
}

bool HeadlessPlatform::Open(std::string_view document) {
    opened_.emplace_back(document);
    if (duringOpen_) {
        std::exchange(duringOpen_, nullptr)();
    }
    return true;
}

void HeadlessPlatform::tick() {
    clock_ += kTick;
    // A handler may unload windows or stop timers, so each timer is looked up again before it
    // fires.
    std::vector<std::pair<Hwnd, ControlKey>> due;
    for (FormWindow* window : registry_.windows()) {
        for (const auto& [key, timer] : static_cast<HeadlessWindow&>(window->native()).timers_) {
            if (timer->Due()) {
                due.emplace_back(window->hWnd(), key);
            }
        }
    }
    for (const auto& [hwnd, key] : due) {
        if (FormWindow* window = registry_.find(hwnd)) {
            auto& native = static_cast<HeadlessWindow&>(window->native());
            if (native.timers_.at(key)->period()) {
                native.events_.TimerFired({key.first, key.second});
            }
        }
    }
}

ClientPoint HeadlessPlatform::at(HeadlessWindow& window, ControlId control, float x, float y) {
    const ClientPoint origin = window.form().ControlOrigin(control);
    return {origin.x + x, origin.y + y};
}

void HeadlessPlatform::mouseDown(std::string_view form, ControlId control, std::int16_t button,
                                 float x, float y) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.Press(LayoutControl(window->layout(), control), button, 0,
                              at(*window, control, x, y));
    }
}

void HeadlessPlatform::mouseMove(std::string_view form, ControlId control, std::int16_t buttons,
                                 float x, float y) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.Move(LayoutControl(window->layout(), control), buttons, 0,
                             at(*window, control, x, y));
    }
}

void HeadlessPlatform::mouseUp(std::string_view form, ControlId control, std::int16_t button,
                               float x, float y) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.Release(LayoutControl(window->layout(), control), button, 0,
                                at(*window, control, x, y));
    }
}

void HeadlessPlatform::moveByWindowManager(std::string_view form, Point outer) {
    if (HeadlessWindow* window = live(form)) {
        window->corner_ = outer;
        window->events_.Moved(outer);
    }
}

void HeadlessPlatform::takePointerAway(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.LoseGrab();
    }
}

void HeadlessPlatform::chooseMenuItem(std::string_view form, std::string_view item) {
    if (HeadlessWindow* window = live(form)) {
        window->menuItem(item);  // the item must exist
        window->events_.Click({item});
    }
}

void HeadlessPlatform::clickButton(std::string_view form, std::string_view button) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.Click({button});
    }
}

void HeadlessPlatform::pressKey(std::string_view form, Key key) {
    HeadlessWindow* window = live(form);
    if (!window) {
        return;
    }
    if (const std::optional<ControlId> button = ButtonForKey(window->layout(), key)) {
        window->events_.Click(*button);
    }
}

void HeadlessPlatform::pressContextMenuKey(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.KeyboardContextMenu();
    }
}

void HeadlessPlatform::closeFromCaption(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->events_.CaptionClose();
    }
}

HeadlessWindow* HeadlessPlatform::window(std::string_view form) {
    for (FormWindow* window : registry_.windows()) {
        if (window->layout().name == form) {
            auto& native = static_cast<HeadlessWindow&>(window->native());
            native.form_ = window;
            return &native;
        }
    }
    return nullptr;
}

HeadlessWindow* HeadlessPlatform::live(std::string_view form) {
    return ended() ? nullptr : window(form);
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
