// An in-memory window system with no display, for testing the forms exactly.
//
// A test starts the program on it, plays the user (cursor, timer ticks, presses, moves and
// releases on named controls, menu choices, buttons, keys, caption closes) and reads back every
// control property and a log of the window-system calls the forms made.
//
// The screen is 1280 x 1024. Windows have the frame their layout was designed with: the client
// area begins at the layout's client origin inside the outer window, with a 3-pixel border right
// and below.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_lookup.h"
#include "platform/headless/headless_controls.h"
#include "platform/platform.h"

namespace zorvin::headless {

class HeadlessPlatform;

struct Region {
    std::vector<Point> points;
    std::int32_t fillMode = 0;
};

class HeadlessWindow final : public Window {
  public:
    HeadlessWindow(HeadlessPlatform& platform, const FormLayout& layout, FormEvents& events,
                   Hwnd hwnd);
    ~HeadlessWindow() override;

    Hwnd hWnd() const override { return hwnd_; }
    float Left() const override { return left_; }
    void setLeft(float left) override { left_ = left; }
    float Top() const override { return top_; }
    void setTop(float top) override { top_ = top; }

    HeadlessPicture& picture(ControlId id) override;
    HeadlessLabel& label(ControlId id) override;
    HeadlessTimer& timer(ControlId id) override;
    HeadlessMenuItem& menuItem(std::string_view name) override;

    const FormLayout& layout() const { return layout_; }
    FormEvents& events() { return events_; }
    bool visible() const { return visible_; }
    // The region the window was given, if any.
    std::optional<Hrgn> region() const { return region_; }
    // The client area's top-left corner on the screen.
    Point clientOrigin() const;

  private:
    friend class HeadlessPlatform;

    template <typename Control>
    using Controls = std::map<ControlKey, std::unique_ptr<Control>>;

    HeadlessPlatform& platform_;
    const FormLayout& layout_;
    FormEvents& events_;
    Hwnd hwnd_;
    float left_;
    float top_;
    bool visible_ = false;
    std::optional<Hrgn> region_;
    Controls<HeadlessPicture> pictures_;
    Controls<HeadlessLabel> labels_;
    Controls<HeadlessTimer> timers_;
    std::map<std::string_view, std::unique_ptr<HeadlessMenuItem>, std::less<>> menuItems_;
};

enum class Key { Enter, Escape };

class HeadlessPlatform final : public Platform {
  public:
    static constexpr Size kScreen{1280, 1024};

    // FormRuntime
    std::unique_ptr<Window> createWindow(const FormLayout& layout, FormEvents& events) override;
    void Show(Window& window) override;
    void DoEvents() override;
    void PopupMenu(Window& window, std::string_view menu) override;
    void End() override;

    // SystemApi
    Hrgn CreatePolygonRgn(const Point* points, std::int32_t count, std::int32_t fillMode) override;
    std::int32_t SetWindowRgn(Hwnd hwnd, Hrgn region, bool redraw) override;
    bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                      std::int32_t cy, std::uint32_t flags) override;
    bool GetCursorPos(Point& point) override;
    bool ScreenToClient(Hwnd hwnd, Point& point) override;
    std::intptr_t ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                std::int32_t showCmd) override;

    // Playing the user. Events for a window that is not loaded, or after the end, go nowhere.
    void setCursor(Point screen) { cursor_ = screen; }
    // One period of every running timer: each timer whose interval is not 0 ticks once.
    void tick();
    // X and Y are relative to the control. While a button is held, moves and the release go to
    // the control that got the press, whichever control is named.
    void mouseDown(std::string_view form, ControlId control, std::int16_t button, float x, float y);
    void mouseMove(std::string_view form, ControlId control, std::int16_t buttons, float x,
                   float y);
    void mouseUp(std::string_view form, ControlId control, std::int16_t button, float x, float y);
    void chooseMenuItem(std::string_view form, std::string_view item);
    // The next pop-up menu chooses this item before it closes; without one it closes unchosen.
    void choosePopupItem(std::string_view item) { popupChoices_.emplace_back(item); }
    void clickButton(std::string_view form, std::string_view button);
    void pressKey(std::string_view form, Key key);
    void closeFromCaption(std::string_view form);

    // Reading back.
    HeadlessWindow* window(std::string_view form);  // null while not loaded
    Hwnd handleOf(std::string_view form);
    const Region& region(Hrgn handle) const { return regions_.at(handle); }
    bool ended() const { return ended_; }
    // One line per call: "Load Form2", "SetWindowPos Form1 -1 0 0 0 0 3", "End", ...
    const std::vector<std::string>& log() const { return log_; }
    // The lines of the log that begin with `call`.
    std::vector<std::string> calls(std::string_view call) const;

  private:
    friend class HeadlessWindow;

    struct Capture {
        Hwnd hwnd = 0;
        std::string control;
        std::int16_t index = -1;
        std::int16_t held = 0;  // the buttons held since the press
    };

    void record(std::string line) { log_.push_back(std::move(line)); }
    std::string nameOf(Hwnd hwnd) const;
    HeadlessWindow* live(std::string_view form);
    void forget(HeadlessWindow& window);

    std::map<Hwnd, HeadlessWindow*> windows_;
    Hwnd nextHandle_ = 0x10010;
    std::map<Hrgn, Region> regions_;
    Hrgn nextRegion_ = 1;
    Point cursor_{};
    std::optional<Capture> capture_;
    std::deque<std::string> popupChoices_;
    bool ended_ = false;
    std::vector<std::string> log_;
};

}  // namespace zorvin::headless
