// An in-memory window system with no display, for testing the forms exactly.
//
// A test starts the program on it, plays the user (cursor, timer ticks, presses, moves and
// releases on named controls, menu choices, buttons, keys, caption closes) and reads back every
// window's and control's state, with a log of the calls whose order is itself the behaviour.
//
// The screen is 1280 x 1024 unless a test sets others, at 96 DPI unless the platform is made for
// another: a window grows by its layout's scaling at that DPI, as the real ones do. Windows have
// the frame their layout was designed with, unscaled: the client area begins at the layout's
// client origin inside the outer window, with a 3-pixel border right and below. Everything else
// follows the form window every backend shares (platform/common). The test driver's functions are
// camelCase.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/control_lookup.h"
#include "platform/common/form_window.h"
#include "platform/common/layout_walk.h"
#include "platform/common/native_window.h"
#include "platform/common/window_registry.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/headless/headless_controls.h"

namespace zorvin::headless {

class HeadlessPlatform;

struct Shape {
    std::vector<Point> outline;
    FillRule rule = FillRule::EvenOdd;
};

class HeadlessWindow final : public NativeWindow {
  public:
    HeadlessWindow(HeadlessPlatform& platform, WindowEvents& events, const FormLayout& layout,
                   const Rect& screen);

    // Reading back: the native window's state, and its form window's as the forms see it.
    const FormLayout& layout() const { return layout_; }
    float Left() const { return form().Left(); }
    float Top() const { return form().Top(); }
    PictureBox& picture(ControlId id) { return form().picture(id); }
    Label& label(ControlId id) { return form().label(id); }
    Timer& timer(ControlId id) { return form().timer(id); }
    MenuItem& menuItem(std::string_view name) { return form().menuItem(name); }
    // A picture and a timer as the window system has them.
    const HeadlessPicture& shownPicture(ControlId id) {
        return FindControl(pictures_, id, "picture");
    }
    const HeadlessTimer& nativeTimer(ControlId id) { return FindControl(timers_, id, "timer"); }
    bool visible() const { return visible_; }
    bool topmost() const { return topmost_; }
    // The shape the window was given, if any.
    const std::optional<Shape>& shape() const { return shape_; }
    // The client area's top-left corner on the screen.
    Point clientOrigin() const;
    Rect outerRect() const { return OuterRect(); }

  private:
    friend class HeadlessPlatform;

    // The form window whose native window this is, as the platform last found it by name.
    FormWindow& form() const { return *form_; }

    // NativeWindow
    std::unique_ptr<NativePicture> AddPicture(const ControlLayout& control) override;
    std::unique_ptr<NativeLabel> AddLabel(const ControlLayout& control) override;
    void AddButton(const ControlLayout& control) override;
    std::unique_ptr<NativeTimer> AddTimer(const ControlLayout& control) override;
    Point Place() override;
    void Show() override;
    void Hide() override { visible_ = false; }
    void Destroy() override;
    DpiScale Scale() const override { return scale_; }
    void MoveOuter(Point place) override;
    Rect OuterRect() const override;
    Point ScreenToClient(Point screen) const override;
    void SetShape(std::span<const Point> outline, FillRule rule) override;
    void SetStaysOnTop(bool on) override { topmost_ = on; }
    std::optional<std::string_view> PopupMenu(std::span<const PopupItem> items,
                                              std::optional<ClientPoint> anchor) override;

    HeadlessPlatform& platform_;
    WindowEvents& events_;
    const FormLayout& layout_;
    const Rect screen_;
    DpiScale scale_;
    FormWindow* form_ = nullptr;
    // Owned by the form window's controls, which go before this window does.
    std::map<ControlKey, HeadlessPicture*> pictures_;
    std::map<ControlKey, HeadlessTimer*> timers_;
    Point corner_;
    bool visible_ = false;
    bool topmost_ = false;
    std::optional<Shape> shape_;
};

using Key = DialogKey;

class HeadlessPlatform final : public WindowSystem {
  public:
    static constexpr Size kScreen{1280, 1024};

    // The windows report to `registry` (form_session.h makes both).
    explicit HeadlessPlatform(WindowRegistry& registry, int dpi = kStandardDpi);

    // The screens, the primary one first.
    void setScreens(std::vector<Rect> screens) {
        screens_ = std::move(screens);
        registry_.NoteChange();
    }

    // Playing the user. Events for a window that is not loaded, or after the end, go nowhere.
    // The cursor is moved there, even when it ends where it was.
    void setCursor(Point screen) {
        cursor_ = screen;
        registry_.NoteChange();
    }
    // The cursor moved with nothing told of it, as another program's warp moves it.
    void warpCursor(Point screen) { cursor_ = screen; }
    // One period of the forms' timers passes, and every native timer due fires once. A tick
    // passes, and its timer sleeps, when nothing changed since its last tick: the cursor, a
    // window's place, the screens; asleep, it looks once every kLookPeriod.
    void tick();
    static constexpr std::chrono::milliseconds kTick{100};
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
    // The next document opened runs these events before the open returns, as an opener's own
    // message loop (a modal error box) delivers them.
    void duringNextOpen(std::function<void()> events) { duringOpen_ = std::move(events); }

    // Reading back.
    HeadlessWindow* window(std::string_view form);  // null while not loaded
    bool ended() const { return registry_.ended(); }
    // What the desktop was asked to open, in order.
    const std::vector<std::string>& opened() const { return opened_; }
    // The calls whose order matters, one line each: "Load Form2", "Shape Form1", "Show Form1",
    // "Move Form1 10 20", "DoEvents", "PopupMenu Form1: [Always On &Top checked] ...", "End", and
    // the looks at the cursor and its conversions, "CursorPosition", "ScreenToClient Form1".
    const std::vector<std::string>& log() const { return log_; }
    // The lines of the log that begin with `call`.
    std::vector<std::string> calls(std::string_view call) const;

  private:
    friend class HeadlessWindow;

    // WindowSystem
    std::unique_ptr<NativeWindow> NewWindow(WindowEvents& events, const FormLayout& layout,
                                            const Rect& screen) override;
    std::vector<Rect> Screens() const override { return screens_; }
    void ProcessEvents() override { record("DoEvents"); }
    void Quit() override { record("End"); }
    Point CursorPosition() override;
    bool Open(std::string_view document) override;

    void record(std::string line) { log_.push_back(std::move(line)); }
    HeadlessWindow* live(std::string_view form);
    // The control's top-left corner in its window's client area.
    static ClientPoint at(HeadlessWindow& window, ControlId control, float x, float y);

    WindowRegistry& registry_;
    const int dpi_;
    Point cursor_{};
    std::chrono::milliseconds clock_{};
    std::vector<Rect> screens_{{0, 0, kScreen.width, kScreen.height}};
    std::deque<std::string> popupChoices_;
    std::string closeDuringPopup_;
    std::function<void()> duringOpen_;
    std::vector<std::string> opened_;
    std::vector<std::string> log_;
};

}  // namespace zorvin::headless
