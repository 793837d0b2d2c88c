// Where GetCursorPos learns the pointer's position on a Linux desktop. X11 knows it everywhere in
// an X11 session, but under Wayland only while the pointer is over an X11 window; there the
// compositor's help tells it everywhere: a KWin script (kwin_pointer.cpp) or a GNOME Shell
// extension (gnome_shell_pointer.cpp). desktop_pointer.cpp chooses among them.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QPoint>

namespace zorvin::qt {

class PointerSource {
  public:
    PointerSource() = default;
    virtual ~PointerSource() = default;
    PointerSource(const PointerSource&) = delete;
    PointerSource& operator=(const PointerSource&) = delete;

    // The pointer in the coordinates the program's windows live in; nothing while this source
    // cannot tell.
    virtual std::optional<QPoint> Position() = 0;

    // Called whenever the source reports a move.
    void OnMoved(std::function<void()> moved) { moved_ = std::move(moved); }

  protected:
    // A source that is told of the pointer's moves, rather than asking, reports each one, and
    // anything else after which Position may answer differently (its compositor went or came
    // back). Ticks run only after a move someone reported: the program looks at the pointer
    // only then.
    void ReportMoved() const {
        if (moved_) {
            moved_();
        }
    }

  private:
    std::function<void()> moved_;
};

}  // namespace zorvin::qt
