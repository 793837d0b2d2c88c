// An in-memory window system with no display, for testing the forms exactly.
//
// A test starts the program on it, plays the user (cursor, timer ticks, presses, moves and
// releases on named controls, menu choices, buttons, keys, caption closes) and reads back every
// control property and a log of the window-system calls the forms made.
//
// The screen is 1280 x 1024 unless a test sets others. Windows have the frame their layout was
// designed with: the client area begins at the layout's client origin inside the outer window,
// with a 3-pixel border right and below. Mouse events, delivery and moves follow the rules every
// backend shares (platform/common).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/layout_walk.h"
#include "platform/common/screen_placement.h"
#include "platform/common/window_core.h"
#include "platform/control_lookup.h"
#include "platform/headless/headless_controls.h"
#include "platform/platform.h"

namespace zorvin::headless {

class HeadlessPlatform;

struct Region {
    std::vector<Point> points;
    std::int32_t fillMode = 0;
};

class HeadlessWindow final : public Window, private NativeWindow, private ControlBuilder {
  public:
    HeadlessWindow(HeadlessPlatform& platform, const FormLayout& layout, FormEvents& events,
                   Hwnd hwnd, Point outer);
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    void Unload() override;
    Hwnd hWnd() const override { return hwnd_; }
    float Left() const override;
    void setLeft(float left) override;
    float Top() const override;
    void setTop(float top) override;

    HeadlessPicture& picture(ControlId id) override;
    HeadlessLabel& label(ControlId id) override;
    HeadlessTimer& timer(ControlId id) override;
    HeadlessMenuItem& menuItem(std::string_view name) override;

    const FormLayout& layout() const { return core_.layout(); }
    WindowCore& core() { return core_; }
    bool visible() const { return visible_; }
    // The region the window was given, if any.
    std::optional<Hrgn> region() const { return region_; }
    // The client area's top-left corner on the screen.
    Point clientOrigin() const;
    // The outer window on the screen.
    Rect outerRect() const;

  private:
    friend class HeadlessPlatform;

    template <typename Control>
    using Controls = std::map<ControlKey, std::unique_ptr<Control>>;

    // NativeWindow
    ClientPoint ControlOrigin(ControlId control) const override;
    void MoveOuter(OuterPosition position) override;

    // ControlBuilder
    void AddPicture(const ControlLayout& control) override;
    void AddLabel(const ControlLayout& control) override;
    void AddButton(const ControlLayout& control) override;
    void AddTimer(const ControlLayout& control) override;

    HeadlessPlatform& platform_;
    WindowCore core_;
    Hwnd hwnd_;
    bool unloaded_ = false;
    float left_;
    float top_;
    bool visible_ = false;
    std::optional<Hrgn> region_;
    Controls<HeadlessPicture> pictures_;
    Controls<HeadlessLabel> labels_;
    Controls<HeadlessTimer> timers_;
    std::map<std::string_view, std::unique_ptr<HeadlessMenuItem>, std::less<>> menuItems_;
};

using Key = DialogKey;

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

    // The screens, the primary one first.
    void setScreens(std::vector<Rect> screens) {
        screens_ = std::move(screens);
        changed();
    }

    // Playing the user. Events for a window that is not loaded, or after the end, go nowhere.
    // The cursor is moved there, even when it ends where it was.
    void setCursor(Point screen) {
        cursor_ = screen;
        changed();
    }
    // One period of every running timer: each one that is not asleep fires once. Its tick
    // passes, and the timer sleeps, when nothing changed since its last tick: the cursor, a
    // window's place, the screens.
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
    // Shift+F10 or the Menu key while the window has the keyboard focus.
    void pressContextMenuKey(std::string_view form);
    void closeFromCaption(std::string_view form);
    // The next pop-up menu is closed with its window, from the caption bar, while it is open.
    void closeFromCaptionDuringPopup(std::string_view form) { closeDuringPopup_ = form; }
    // The window manager moves the window by itself (the keyboard, a screen change).
    void moveByWindowManager(std::string_view form, Point outer);
    // Another program takes the pointer (a system dialog, the window switcher) while a button is
    // held.
    void takePointerAway(std::string_view form);

    // Reading back.
    HeadlessWindow* window(std::string_view form);  // null while not loaded
    Hwnd handleOf(std::string_view form);
    const Region& region(Hrgn handle) const { return regions_.at(handle); }
    bool ended() const { return ended_; }
    // One line per call: "Load Form2", "SetWindowPos Form1 -1 0 0 0 0 3", "Move Form1 10 20",
    // "End", ...
    const std::vector<std::string>& log() const { return log_; }
    // The lines of the log that begin with `call`.
    std::vector<std::string> calls(std::string_view call) const;

  private:
    friend class HeadlessWindow;

    void record(std::string line) { log_.push_back(std::move(line)); }
    // Something a tick reads may have changed: every timer hears of it.
    void changed();
    std::string nameOf(Hwnd hwnd) const;
    HeadlessWindow* live(std::string_view form);
    void forget(HeadlessWindow& window);
    // The place a new window first appears at.
    Point FirstPlacement(const FormLayout& layout) const;
    // The control's top-left corner in its window's client area.
    static ClientPoint At(HeadlessWindow& window, ControlId control, float x, float y);

    std::map<Hwnd, HeadlessWindow*> windows_;
    Hwnd nextHandle_ = 0x10010;
    std::map<Hrgn, Region> regions_;
    Hrgn nextRegion_ = 1;
    Point cursor_{};
    std::vector<Rect> screens_{{0, 0, kScreen.width, kScreen.height}};
    std::deque<std::string> popupChoices_;
    std::string closeDuringPopup_;
    bool ended_ = false;
    std::vector<std::string> log_;
};

}  // namespace zorvin::headless
