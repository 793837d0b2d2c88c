// What every backend's window does the same way, whatever the window system: it routes mouse
// events to controls, delivers events to the form while the window is loaded and the program runs,
// hands a lost release to the form (which must end a press but open nothing), moves the window once
// per event however many of Left and Top were set, and opens its pop-up menu from the keyboard.
//
// A form may unload its window while one of the window's own events is running. The window object
// then lives on, unloaded, until the program frees the form after that event has returned; the
// core looks at its own state after every event to find out.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"
#include "platform/common/mouse_router.h"
#include "platform/common/native_window.h"

namespace zorvin {

// What the core needs of the window around it.
class CoreHost {
  public:
    virtual ~CoreHost() = default;
    // Where a picture or label's top-left corner lies in the client area now.
    virtual ClientPoint ControlOrigin(ControlId control) const = 0;
    // Moves the outer window there, in one step.
    virtual void MoveOuter(OuterPosition position) = 0;
    // The window system's own hold on the pointer, for the press's control.
    virtual void GrabPointer() = 0;
    virtual void ReleasePointer() = 0;
};

class WindowCore {
  public:
    // `ended` is the record of the program's end.
    WindowCore(const FormLayout& layout, FormEvents& events, const bool& ended, CoreHost& host);

    const FormLayout& layout() const { return layout_; }
    // Events reach the form only while this holds.
    bool live() const { return !unloaded_ && !ended_; }
    // The window is gone; the object stays until the program frees the form.
    void Unload();
    // Whether one of the form's events is running, however deeply nested.
    bool inEvent() const { return eventsRunning_ > 0; }

    // The topmost picture or label at a client point.
    std::optional<ControlId> ControlAt(ClientPoint at) const;

    // Mouse events at a client point, on the control `hit` under the pointer.
    void Press(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
               ClientPoint at);
    void Move(std::optional<ControlId> hit, std::int16_t buttons, std::int16_t shift,
              ClientPoint at);
    void Release(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                 ClientPoint at);
    // The window lost the pointer with buttons held (a menu or another program took it): the
    // control that got the press gets the releases it will never see, as if they happened where
    // the pointer was last seen. They end what the press began (a drag, a link's colour), but the
    // user never let go on anything: while they run, the window opens nothing (see mayOpen).
    void LoseGrab();
    // Whether what the form asks now may open something (a document, an address): not while a
    // lost release runs. The system calls refuse the form's "open" requests for this window
    // otherwise.
    bool mayOpen() const { return !endingLostPress_; }

    void Click(ControlId control);
    void Tick(ControlId timer);
    void CaptionClose();
    // Shift+F10 or the Menu key: in a window with a menu, the control at the middle of the client
    // area gets a right press and release there, and a pop-up menu it opens opens at that point.
    void KeyboardContextMenu();
    // Where a pop-up menu opens, in client pixels; nothing for the pointer's place.
    std::optional<ClientPoint> popupAnchor() const { return popupAnchor_; }

    // Left and Top as the program reads them: the place it asked for since the window last moved,
    // else where the window is shown. The window moves to an asked place once, when the event
    // that asked returns or DoEvents runs.
    OuterPosition Position(OuterPosition shown) const { return asked_.value_or(shown); }
    void AskLeft(float left, OuterPosition shown) { asked_ = {left, Position(shown).top}; }
    void AskTop(float top, OuterPosition shown) { asked_ = {Position(shown).left, top}; }
    void ApplyAskedMove();

  private:
    template <typename Event>
    void Deliver(const Event& event);
    void DeliverMouse(void (FormEvents::*handler)(ControlId, const MouseArgs&),
                      std::optional<ControlId> target, MouseArgs args, ClientPoint at);

    const FormLayout& layout_;
    FormEvents& events_;
    const bool& ended_;
    CoreHost& host_;
    bool unloaded_ = false;
    int eventsRunning_ = 0;
    bool endingLostPress_ = false;
    MouseRouter router_;
    ClientPoint lastPointer_;
    std::optional<ClientPoint> popupAnchor_;
    std::optional<OuterPosition> asked_;
};

}  // namespace zorvin
