// The watch on the pointer's moves that no input event tells of: another program warps it
// (XWarpPointer, `xdotool mousemove`, XIWarpPointer), and XInput's raw events say nothing. The X
// server tells of each warp as it is asked (RECORD), which is a change like any told; a look once a
// look period that finds the pointer elsewhere than the program last saw it is a change nothing
// told of.
//
// Both run in a small program of their own, zorvin-look, beside this one: waking a process once a
// second costs in proportion to the memory it maps, and this one maps Qt. The program's event
// loop sleeps for as long as nothing changes. A helper that cannot start, or ends, says so once,
// and the timers look themselves from then on.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include <QPoint>
#include <QProcess>

namespace zorvin::qt {

class X11Look final {
  public:
    // Looks every `period`. On this thread: `looking` with true once the watch runs and with
    // false if it ends; `warped` when another program warped the pointer; `found` when a look
    // found it moved though nothing told of that.
    X11Look(std::chrono::milliseconds period, std::function<void(bool)> looking,
            std::function<void()> warped, std::function<void()> found);
    ~X11Look();
    X11Look(const X11Look&) = delete;
    X11Look& operator=(const X11Look&) = delete;

    // Where the program read the pointer from the X server, which the looks compare with.
    void Saw(QPoint place);

  private:
    void Read();
    void End(const QString& why);

    std::function<void(bool)> looking_;
    std::function<void()> warped_;
    std::function<void()> found_;
    bool running_ = false;
    bool ended_ = false;
    std::optional<QPoint> told_;
    QProcess helper_;
};

}  // namespace zorvin::qt
