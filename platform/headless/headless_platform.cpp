#include "platform/headless/headless_platform.h"

#include <stdexcept>
#include <utility>

#include "platform/common/pixels.h"
#include "platform/common/screen_placement.h"

namespace zorvin::headless {

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, WindowEvents& events,
                               const FormLayout& layout, const Rect& screen)
    : platform_(platform),
      events_(events),
      layout_(layout),
      corner_(CentredOn(screen, DesignedOuterSize(layout))) {
    platform.record("Load " + std::string(layout.name));
}

FormWindow& HeadlessWindow::form() const {
    for (FormWindow* window : platform_.registry_.windows()) {
        if (&window->native() == this) {
            return *window;
        }
    }
    throw std::logic_error("the window " + std::string(layout_.name) + " is not loaded");
}

std::unique_ptr<PictureBox> HeadlessWindow::AddPicture(const ControlLayout& control) {
    return std::make_unique<HeadlessPicture>(control);
}

std::unique_ptr<NativeLabel> HeadlessWindow::AddLabel(const ControlLayout& control) {
    return std::make_unique<HeadlessLabel>(control);
}

void HeadlessWindow::AddButton(const ControlLayout& /*control*/) {}

std::unique_ptr<GatedTimer> HeadlessWindow::AddTimer(const ControlLayout& /*control*/) {
    return std::make_unique<HeadlessTimer>(platform_.clock_);
}

HeadlessPicture& HeadlessWindow::picture(ControlId id) {
    return static_cast<HeadlessPicture&>(form().picture(id));
}

HeadlessTimer& HeadlessWindow::timer(ControlId id) {
    return static_cast<HeadlessTimer&>(form().timer(id));
}

void HeadlessWindow::Show() {
    visible_ = true;
    platform_.record("Show " + std::string(layout().name));
}

void HeadlessWindow::Destroy() {
    visible_ = false;
    platform_.record("Unload " + std::string(layout().name));
}

Point HeadlessWindow::PlaceOf(OuterPosition position) const {
    return {PixelOf(position.left), PixelOf(position.top)};
}

OuterPosition HeadlessWindow::FormPosition(Point place) const {
    return {static_cast<float>(place.x), static_cast<float>(place.y)};
}

// The move is made and reported at once.
void HeadlessWindow::MoveOuter(Point place) {
    corner_ = place;
    platform_.record("Move " + std::string(layout().name) + " " + std::to_string(place.x) + " " +
                     std::to_string(place.y));
    events_.Moved(place);
}

Rect HeadlessWindow::OuterRect() const {
    const Size outer = DesignedOuterSize(layout());
    return {corner_.x, corner_.y, outer.width, outer.height};
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

HeadlessPlatform::HeadlessPlatform() {
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
    std::vector<std::pair<Hwnd, ControlId>> due;
    for (FormWindow* window : registry_.windows()) {
        for (const ControlLayout& control : window->layout().controls) {
            const ControlId id{control.name, control.index};
            if (control.kind == ControlKind::Timer &&
                static_cast<HeadlessTimer&>(window->timer(id)).Due()) {
                due.emplace_back(window->hWnd(), id);
            }
        }
    }
    for (const auto& [hwnd, id] : due) {
        if (FormWindow* window = registry_.find(hwnd);
            window && static_cast<HeadlessTimer&>(window->timer(id)).period()) {
            static_cast<HeadlessWindow&>(window->native()).events_.TimerFired(id);
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
            return &static_cast<HeadlessWindow&>(window->native());
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
