// The program's loaded windows by handle, the handles the forms pass to the system calls, and the
// program's end. Every form window registers here while it is loaded.
#pragma once

#include <map>
#include <vector>

#include "platform/api/types.h"
#include "platform/common/native_window.h"

namespace zorvin {

class FormWindow;

class WindowRegistry final : public DesktopEvents {
  public:
    Hwnd Add(FormWindow& window);
    void Forget(Hwnd hwnd);
    // Null for a handle of no loaded window.
    FormWindow* find(Hwnd hwnd) const;
    // The loaded windows, in the order they were loaded; a copy, so that an event may unload any.
    std::vector<FormWindow*> windows() const;

    // From the end on, every window is gone for the forms and no event reaches them.
    bool ended() const override { return ended_; }
    void End() { ended_ = true; }

    // Whether the backend tells of the changes a tick reads; once it does, it does for good. Who
    // finds those no event tells of, once it does.
    bool watching() const { return watching_; }
    UntoldChanges untold() const { return untold_; }
    // DesktopEvents: the notice of a change goes to every window's timers.
    void WatchChanges(UntoldChanges untold) override;
    void NoteChange() override;
    void NoteUntoldChange() override;
    // The program read the pointer, and found it `moved` since its last read: a move that no
    // change told of since then was untold.
    void NoteCursorRead(bool moved);
    bool ticking() const override;
    // The moves asked during events move the windows, before anything else runs.
    void ApplyAskedMoves();

  private:
    // The handles given to windows: never 0, "no window", nor any of the stand-ins SetWindowPos
    // takes in a window's place (HWND_TOP 0, HWND_BOTTOM 1, HWND_TOPMOST -1, HWND_NOTOPMOST -2),
    // and far from the small numbers region handles count from, so that a handle of the one kind
    // passed where the other is meant names nothing. Like the system's own, they leave gaps, so
    // that a handle off by one names nothing either.
    static constexpr Hwnd kFirstHandle = 0x10010;
    static constexpr Hwnd kHandleStep = 0x10;

    std::map<Hwnd, FormWindow*> windows_;
    Hwnd nextHandle_ = kFirstHandle;
    bool ended_ = false;
    bool watching_ = false;
    // Whether a change was told since the pointer was last read.
    bool told_ = false;
    UntoldChanges untold_ = UntoldChanges::TimersLook;
};

}  // namespace zorvin
