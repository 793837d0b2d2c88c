#include "platform/headless/headless_platform.h"

#include <stdexcept>
#include <utility>

#include "platform/control_lookup.h"
#include "platform/pixels.h"

namespace zorvin::headless {
namespace {

std::string text(const char* s) {
    return s ? s : "null";
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const FormLayout& layout,
                               FormEvents& events, Hwnd hwnd, Point outer)
    : platform_(platform),
      core_(layout, events, platform.ended_, *this),
      hwnd_(hwnd),
      left_(static_cast<float>(outer.x)),
      top_(static_cast<float>(outer.y)) {
    BuildControls(layout, *this);
    for (const MenuLayout& item : layout.menu) {
        menuItems_.emplace(item.name, std::make_unique<HeadlessMenuItem>(item));
    }
}

HeadlessWindow::~HeadlessWindow() {
    Unload();
}

void HeadlessWindow::Unload() {
    if (!unloaded_) {
        unloaded_ = true;
        visible_ = false;
        core_.Unload();
        platform_.forget(*this);
    }
}

void HeadlessWindow::AddPicture(const ControlLayout& control) {
    pictures_.emplace(ControlKey{control.name, control.index},
                      std::make_unique<HeadlessPicture>(control));
}

void HeadlessWindow::AddLabel(const ControlLayout& control) {
    labels_.emplace(ControlKey{control.name, control.index},
                    std::make_unique<HeadlessLabel>(control));
}

void HeadlessWindow::AddButton(const ControlLayout& /*control*/) {
    // A button has no property the forms read or write.
}

void HeadlessWindow::AddTimer(const ControlLayout& control) {
    timers_.emplace(ControlKey{control.name, control.index},
                    std::make_unique<HeadlessTimer>(control));
}

float HeadlessWindow::Left() const {
    return core_.Position({left_, top_}).left;
}

float HeadlessWindow::Top() const {
    return core_.Position({left_, top_}).top;
}

void HeadlessWindow::setLeft(float left) {
    core_.AskLeft(left, {left_, top_});
}

void HeadlessWindow::setTop(float top) {
    core_.AskTop(top, {left_, top_});
}

void HeadlessWindow::MoveOuter(OuterPosition position) {
    left_ = position.left;
    top_ = position.top;
    platform_.record("Move " + std::string(layout().name) + " " + std::to_string(PixelOf(left_)) +
                     " " + std::to_string(PixelOf(top_)));
    platform_.changed();
}

ClientPoint HeadlessWindow::ControlOrigin(ControlId control) const {
    const auto picture = pictures_.find(ControlKey{control.name, control.index});
    if (picture != pictures_.end()) {
        return {picture->second->Left(), picture->second->Top()};
    }
    for (const ControlLayout& layout : layout().controls) {
        if (layout.name == control.name && layout.index == control.index) {
            return {static_cast<float>(layout.left), static_cast<float>(layout.top)};
        }
    }
    return {};
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
    return {PixelOf(left_) + layout().clientOrigin.x, PixelOf(top_) + layout().clientOrigin.y};
}

Rect HeadlessWindow::outerRect() const {
    const Size outer = DesignedOuterSize(layout());
    return {PixelOf(left_), PixelOf(top_), outer.width, outer.height};
}

std::unique_ptr<Window> HeadlessPlatform::createWindow(const FormLayout& layout,
                                                       FormEvents& events) {
    const Hwnd hwnd = nextHandle_;
    nextHandle_ += 0x10;
    auto window =
        std::make_unique<HeadlessWindow>(*this, layout, events, hwnd, FirstPlacement(layout));
    windows_.emplace(hwnd, window.get());
    record("Load " + std::string(layout.name));
    return window;
}

// Centred on the screen that holds most of the program's first window, if one is loaded.
Point HeadlessPlatform::FirstPlacement(const FormLayout& layout) const {
    std::optional<Rect> shown;
    if (!windows_.empty()) {
        shown = windows_.begin()->second->outerRect();
    }
    return CentredOn(ScreenHoldingMost(screens_, shown), DesignedOuterSize(layout));
}

void HeadlessPlatform::forget(HeadlessWindow& window) {
    record("Unload " + std::string(window.layout().name));
    windows_.erase(window.hWnd());
}

void HeadlessPlatform::Show(Window& window) {
    auto& shown = static_cast<HeadlessWindow&>(window);
    shown.visible_ = true;
    record("Show " + std::string(shown.layout().name));
}

// Windows move to the places asked for before anything else runs.
void HeadlessPlatform::DoEvents() {
    record("DoEvents");
    for (auto& [hwnd, window] : windows_) {
        window->core().ApplyAskedMove();
    }
}

// The menu is modal: it takes the mouse, so a press that opened it holds the mouse no more. The
// log shows the items as built: captions, check marks, separators, and where the menu opened.
void HeadlessPlatform::PopupMenu(Window& window, std::string_view menu) {
    auto& owner = static_cast<HeadlessWindow&>(window);
    WindowCore& core = owner.core();
    std::string line = "PopupMenu " + std::string(owner.layout().name) + " " + std::string(menu);
    if (const std::optional<ClientPoint> anchor = core.popupAnchor()) {
        line +=
            " at " + std::to_string(PixelOf(anchor->x)) + " " + std::to_string(PixelOf(anchor->y));
    }
    line += ":";
    for (const MenuLayout* item : PopupItems(owner.layout(), menu)) {
        line += " [" + std::string(item->caption) +
                (owner.menuItem(item->name).Checked() ? " checked" : "") + "]";
    }
    record(line);
    core.LoseGrab();
    if (!core.live()) {
        return;
    }
    if (closeDuringPopup_ == owner.layout().name) {
        closeDuringPopup_.clear();
        core.CaptionClose();
    }
    if (!core.live() || popupChoices_.empty()) {
        return;
    }
    const std::string choice = popupChoices_.front();
    popupChoices_.pop_front();
    owner.menuItem(choice);  // the item must exist
    core.Click({choice});
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
    if (const auto window = windows_.find(hwnd);
        window != windows_.end() && !window->second->core().mayOpen()) {
        return kOpenRefused;
    }
    record("ShellExecuteA " + nameOf(hwnd) + " " + text(operation) + " " + text(file) + " " +
           text(parameters) + " " + text(directory) + " " + std::to_string(showCmd));
    return 42;  // above 32: success, as the system reports it
}

void HeadlessPlatform::tick() {
    // A handler may unload windows or stop timers, so each timer is looked up again before it
    // fires.
    std::vector<std::pair<Hwnd, ControlId>> due;
    for (auto& [hwnd, window] : windows_) {
        for (auto& [key, timer] : window->timers_) {
            if (timer->armed()) {
                due.emplace_back(hwnd, ControlId{key.first, key.second});
            }
        }
    }
    for (const auto& [hwnd, id] : due) {
        const auto window = windows_.find(hwnd);
        if (window == windows_.end()) {
            continue;
        }
        HeadlessTimer& timer = window->second->timer(id);
        if (timer.armed() && timer.Fire()) {
            window->second->core().Tick(id);
        }
    }
}

void HeadlessPlatform::changed() {
    for (auto& [hwnd, window] : windows_) {
        for (auto& [key, timer] : window->timers_) {
            timer->Change();
        }
    }
}

ClientPoint HeadlessPlatform::At(HeadlessWindow& window, ControlId control, float x, float y) {
    const ClientPoint origin = window.ControlOrigin(control);
    return {origin.x + x, origin.y + y};
}

void HeadlessPlatform::mouseDown(std::string_view form, ControlId control, std::int16_t button,
                                 float x, float y) {
    if (HeadlessWindow* window = live(form)) {
        window->core().Press(LayoutControl(window->layout(), control), button, 0,
                             At(*window, control, x, y));
    }
}

void HeadlessPlatform::mouseMove(std::string_view form, ControlId control, std::int16_t buttons,
                                 float x, float y) {
    if (HeadlessWindow* window = live(form)) {
        window->core().Move(LayoutControl(window->layout(), control), buttons, 0,
                            At(*window, control, x, y));
    }
}

void HeadlessPlatform::mouseUp(std::string_view form, ControlId control, std::int16_t button,
                               float x, float y) {
    if (HeadlessWindow* window = live(form)) {
        window->core().Release(LayoutControl(window->layout(), control), button, 0,
                               At(*window, control, x, y));
    }
}

void HeadlessPlatform::moveByWindowManager(std::string_view form, Point outer) {
    if (HeadlessWindow* window = live(form)) {
        window->left_ = static_cast<float>(outer.x);
        window->top_ = static_cast<float>(outer.y);
        changed();
    }
}

void HeadlessPlatform::takePointerAway(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->core().LoseGrab();
    }
}

void HeadlessPlatform::chooseMenuItem(std::string_view form, std::string_view item) {
    if (HeadlessWindow* window = live(form)) {
        window->menuItem(item);  // the item must exist
        window->core().Click({item});
    }
}

void HeadlessPlatform::clickButton(std::string_view form, std::string_view button) {
    if (HeadlessWindow* window = live(form)) {
        window->core().Click({button});
    }
}

void HeadlessPlatform::pressKey(std::string_view form, Key key) {
    HeadlessWindow* window = live(form);
    if (!window) {
        return;
    }
    if (const std::optional<ControlId> button = ButtonForKey(window->layout(), key)) {
        window->core().Click(*button);
    }
}

void HeadlessPlatform::pressContextMenuKey(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->core().KeyboardContextMenu();
    }
}

void HeadlessPlatform::closeFromCaption(std::string_view form) {
    if (HeadlessWindow* window = live(form)) {
        window->core().CaptionClose();
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
