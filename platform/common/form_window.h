// A form's window, written once for every backend: the core's event rules, the controls by name,
// the window's position with the moves not yet reported, the check marks, the pop-up menu's items.
// Its native window (native_window.h) only carries out plain operations and reports the window
// system's events back here, through WindowEvents.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/api/form_runtime.h"
#include "platform/common/control_lookup.h"
#include "platform/common/gated_timer.h"
#include "platform/common/native_window.h"
#include "platform/common/pending_moves.h"
#include "platform/common/window_core.h"
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

class FormWindow final : public Window, private CoreHost, private WindowEvents {
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
    bool inEvent() const override { return core_.inEvent(); }
    Hwnd hWnd() const override { return hwnd_; }
    float Left() const override { return core_.Position(position_).left; }
    void setLeft(float left) override { core_.AskLeft(left, position_); }
    float Top() const override { return core_.Position(position_).top; }
    void setTop(float top) override { core_.AskTop(top, position_); }
    PictureBox& picture(ControlId id) override { return FindControl(pictures_, id, "picture"); }
    NativeLabel& label(ControlId id) override { return FindControl(labels_, id, "label"); }
    GatedTimer& timer(ControlId id) override { return FindControl(timers_, id, "timer"); }
    MenuItem& menuItem(std::string_view name) override { return FindMenuItem(checkMarks_, name); }

    const FormLayout& layout() const { return core_.layout(); }
    NativeWindow& native() { return *native_; }

    // The operations of the form runtime on this window.
    void Show();
    void Hide();
    void PopupMenu(std::string_view menu);
    // The move asked during an event, if any, is made now.
    void ApplyAskedMove() { core_.ApplyAskedMove(); }
    // Whether what the form asks now may open something (WindowCore::mayOpen).
    bool mayOpen() const { return core_.mayOpen(); }

    // Something this window's timers' ticks read may have changed; or changed untold, which no
    // event told of.
    void NoteChange();
    void NoteUntoldChange();
    // The backend tells of every change from now on; `untold` says who finds those no event tells
    // of.
    void WatchChanges(UntoldChanges untold);
    bool ticking() const;

    // Where a picture or label's top-left corner lies in the client area now.
    ClientPoint ControlOrigin(ControlId control) const override;

  private:
    template <typename Control>
    using Controls = std::map<ControlKey, std::unique_ptr<Control>>;

    // The native window's controls, in layout order.
    void AddControls();

    // CoreHost
    void MoveOuter(OuterPosition position) override;
    void GrabPointer() override { native_->GrabPointer(); }
    void ReleasePointer() override { native_->ReleasePointer(); }

    // WindowEvents
    void Press(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
               ClientPoint at) override {
        core_.Press(hit, button, shift, at);
    }
    void Move(std::optional<ControlId> hit, std::int16_t buttons, std::int16_t shift,
              ClientPoint at) override {
        core_.Move(hit, buttons, shift, at);
    }
    void Release(std::optional<ControlId> hit, std::int16_t button, std::int16_t shift,
                 ClientPoint at) override {
        core_.Release(hit, button, shift, at);
    }
    void LoseGrab() override { core_.LoseGrab(); }
    void KeyboardContextMenu() override { core_.KeyboardContextMenu(); }
    void Click(ControlId control) override { core_.Click(control); }
    void CaptionClose() override { core_.CaptionClose(); }
    void Moved(Point place) override;
    void TimerFired(ControlId timer) override;
    void Destroyed() override { Unload(); }
    std::optional<ControlId> ControlAt(ClientPoint at) const override {
        return core_.ControlAt(at);
    }
    bool live() const override { return core_.live(); }
    OuterPosition position() const override { return position_; }

    WindowRegistry& registry_;
    // Destroyed after the controls, which may draw on it.
    std::unique_ptr<NativeWindow> native_;
    WindowCore core_;
    Hwnd hwnd_ = 0;
    bool unloaded_ = false;
    // Where the outer window is: where the program last put it, or where the window system last
    // moved it by itself.
    OuterPosition position_;
    // Moves are reported once the window is on the screen; those of a hidden window never are.
    bool visible_ = false;
    PendingMoves pending_;
    Controls<PictureBox> pictures_;
    Controls<NativeLabel> labels_;
    Controls<GatedTimer> timers_;
    std::map<std::string_view, std::unique_ptr<CheckMark>, std::less<>> checkMarks_;
};

}  // namespace zorvin
