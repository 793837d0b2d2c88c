// A form's window, written once for every backend: it delivers the window system's events to the
// form while the window is loaded and the program runs, routes the mouse to controls, hands a lost
// release to the form (which must end a press but open nothing), moves the window once per event
// however many of Left and Top were set, keeps the moves the window system has not reported yet,
// turns the window's and its pictures' places into device pixels at the window's scale, and opens
// its pop-up menu from the keyboard. Its native window (native_window.h) only carries out plain
// operations and reports the window system's events back here, through WindowEvents.
//
// A form may unload its window while one of the window's own events is running. The object then
// lives on, unloaded, until the program frees the form after that event has returned; the window
// looks at its own state after every event to find out.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/api/form_runtime.h"
#include "platform/common/control_lookup.h"
#include "platform/common/form_picture.h"
#include "platform/common/gated_timer.h"
#include "platform/common/mouse_router.h"
#include "platform/common/native_window.h"
#include "platform/common/pending_moves.h"
#include "platform/common/window_registry.h"

namespace zorvin {

// A menu item's check mark, shown whenever its menu pops up.
class CheckMark final : public MenuItem {
  public:
    explicit CheckMark(bool checked) : checked_(checked) {}
    bool Checked() const override { return checked_; }
    void setChecked(bool checked) override { checked_ = checked; }

  private:
    bool checked_;
};

class FormWindow final : public Window, private WindowEvents {
  public:
    // Builds the native window, hidden, on the screen that holds most of the program's window
    // already loaded, if any, else on the primary screen.
    FormWindow(WindowRegistry& registry, WindowSystem& system, const FormLayout& layout,
               FormEvents& events);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Window
    void Unload() override;
    bool inEvent() const override { return eventsRunning_ > 0; }
    Hwnd hWnd() const override { return hwnd_; }
    // Left and Top as the program reads them: the place it asked for since the window last moved,
    // else where the window is shown. The window moves to an asked place once, when the event
    // that asked returns or DoEvents runs.
    float Left() const override { return Position().left; }
    void setLeft(float left) override { asked_ = {left, Position().top}; }
    float Top() const override { return Position().top; }
    void setTop(float top) override { asked_ = {Position().left, top}; }
    PictureBox& picture(ControlId id) override { return FindControl(pictures_, id, "picture"); }
    NativeLabel& label(ControlId id) override { return FindControl(labels_, id, "label"); }
    GatedTimer& timer(ControlId id) override { return FindControl(timers_, id, "timer"); }
    MenuItem& menuItem(std::string_view name) override { return FindMenuItem(checkMarks_, name); }

    const FormLayout& layout() const { return layout_; }
    NativeWindow& native() { return *native_; }

    // The operations of the form runtime on this window.
    void Show();
    void Hide();
    void PopupMenu(std::string_view menu);
    // The move asked during an event, if any, is made now.
    void ApplyAskedMove();
    // Whether what the form asks now may open something (a document, an address): not while a
    // lost release runs. The system calls refuse the form's "open" requests for this window
    // otherwise.
    bool mayOpen() const { return !endingLostPress_; }
    // A screen point as the client point of the form's pixel under it.
    Point ScreenToClient(Point screen) const;

    // Something this window's timers' ticks read may have changed; or changed untold, which no
    // event told of.
    void NoteChange();
    void NoteUntoldChange();
    // The backend tells of every change from now on; `untold` says who finds those no event tells
    // of.
    void WatchChanges(UntoldChanges untold);
    bool ticking() const;

    // Where a picture or label's top-left corner lies in the client area now.
    ClientPoint ControlOrigin(ControlId control) const;

  private:
    template <typename Control>
    using Controls = std::map<ControlKey, std::unique_ptr<Control>>;

    // The native window's controls, in layout order.
    void AddControls();
    OuterPosition Position() const { return asked_.value_or(position_); }
    // Where the outer top-left corner at a position lands on the window system's pixels, fraction
    // kept, so that a place read and asked again is the same device pixel; and back.
    Point PlaceOf(OuterPosition position) const;
    OuterPosition FormPosition(Point place) const;
    // Moves the outer window there, in one step.
    void MoveOuter(OuterPosition position);

    template <typename Event>
    void Deliver(const Event& event);
    void DeliverMouse(void (FormEvents::*handler)(ControlId, const MouseArgs&),
                      std::optional<ControlId> target, MouseArgs args, ClientPoint at);

    // WindowEvents
    void Press(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
               ClientPoint at) override;
    void Move(std::optional<ControlId> hit, std::int16_t buttons, std::int16_t shift,
              ClientPoint at) override;
    void Release(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                 ClientPoint at) override;
    // The window lost the pointer with buttons held (a menu or another program took it): the
    // control that got the press gets the releases it will never see, as if they happened where
    // the pointer was last seen. They end what the press began (a drag, a link's colour), but the
    // user never let go on anything: while they run, the window opens nothing (see mayOpen).
    void LoseGrab() override;
    // In a window with a menu, the control at the middle of the client area gets a right press
    // and release there, and a pop-up menu it opens opens at that point.
    void KeyboardContextMenu() override;
    void Click(ControlId control) override;
    void CaptionClose() override;
    void Moved(Point place) override;
    void TimerFired(ControlId timer) override;
    void Rescaled() override;
    void Destroyed() override { Unload(); }
    std::optional<ControlId> ControlAt(ClientPoint at) const override;
    bool live() const override { return !unloaded_ && !registry_.ended(); }
    Point place() const override { return PlaceOf(position_); }

    WindowRegistry& registry_;
    const FormLayout& layout_;
    FormEvents& events_;
    // Destroyed after the controls, which may draw on it.
    std::unique_ptr<NativeWindow> native_;
    Hwnd hwnd_ = 0;
    bool unloaded_ = false;
    // How deeply the form's events are nested now.
    int eventsRunning_ = 0;
    bool endingLostPress_ = false;
    MouseRouter router_;
    ClientPoint lastPointer_;
    // Where a pop-up menu opens, in client pixels; nothing for the pointer's place.
    std::optional<ClientPoint> popupAnchor_;
    std::optional<OuterPosition> asked_;
    // Where the outer window is: where the program last put it, or where the window system last
    // moved it by itself.
    OuterPosition position_;
    // Moves are reported once the window is on the screen; those of a hidden window never are.
    bool visible_ = false;
    PendingMoves pending_;
    Controls<FormPicture> pictures_;
    Controls<NativeLabel> labels_;
    Controls<GatedTimer> timers_;
    std::map<std::string_view, std::unique_ptr<CheckMark>, std::less<>> checkMarks_;
};

}  // namespace zorvin
