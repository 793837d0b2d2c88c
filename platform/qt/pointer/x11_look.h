// A look at the pointer once a look period, for the moves no event tells of: another program warps
// it (XWarpPointer, `xdotool mousemove`), and XInput's raw events say nothing. A look that finds it
// elsewhere than the last one did reports a change, which wakes the ticks.
//
// The looks run in a small program of their own, zorvin-look, beside this one: waking a process
// once a second costs in proportion to the memory it maps, and this one maps Qt. The program's
// event loop sleeps for as long as nothing changes.
#pragma once

#include <chrono>
#include <functional>

#include <QProcess>

namespace zorvin::qt {

class X11Look final {
  public:
    // Looks every `period`. `looking` is called, on this thread, with true once the looks run and
    // with false if they end; `moved` when a look finds the pointer moved.
    X11Look(std::chrono::milliseconds period, std::function<void(bool)> looking,
            std::function<void()> moved);
    ~X11Look();
    X11Look(const X11Look&) = delete;
    X11Look& operator=(const X11Look&) = delete;

  private:
    void Read();
    void End();

    std::function<void(bool)> looking_;
    std::function<void()> moved_;
    bool running_ = false;
    QProcess helper_;
};

}  // namespace zorvin::qt
