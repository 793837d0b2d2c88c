// A look at the pointer once a look period, for the moves no event tells of: another program warps
// it (XWarpPointer, `xdotool mousemove`), and XInput's raw events say nothing. A look that finds it
// elsewhere than the last one did reports a change, which wakes the ticks.
//
// The looks cost the desktop as little as a look can: a thread of their own, on an XCB connection
// of their own, asks the X server for the pointer's place behind a SYNC Await on the server's
// clock, so that the server answers a second later and the thread wakes once a look, to the
// answer, rather than once for a timer and once more for the answer. The program's event loop
// sleeps for as long as nothing changes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include <QObject>

struct xcb_connection_t;

namespace zorvin::qt {

class X11Look final {
  public:
    // Looks every `period`. `moved` is called on the thread that made this, from its event loop.
    X11Look(std::chrono::milliseconds period, std::function<void()> moved);
    ~X11Look();
    X11Look(const X11Look&) = delete;
    X11Look& operator=(const X11Look&) = delete;

    // Whether the looks run: the X server answered, and has SYNC's clock to wait on.
    bool looking() const { return thread_.joinable(); }

  private:
    void Run(std::uint32_t root, std::uint32_t clock);

    std::chrono::milliseconds period_;
    std::function<void()> moved_;
    // Lives on the maker's thread: what the looks report is run there.
    QObject receiver_;
    xcb_connection_t* connection_ = nullptr;
    // Written to end the looks.
    int stop_ = -1;
    std::thread thread_;
};

}  // namespace zorvin::qt
