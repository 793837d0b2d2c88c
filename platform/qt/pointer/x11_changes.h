// What the X server tells, as it happens, of the changes a tick reads: the pointer moving anywhere
// on the screen (XInput 2 raw motion, and raw touch from 2.2 on, which come even while another
// program holds a grab), and screens added, removed or rearranged (RandR). Read on a connection of
// its own, so that Qt's never sees these events, and whenever it has any: nothing is asked on a
// schedule. Warps of the pointer by other programs come with no event; X11Look's looks find them.
//
// While a tick is coming anyway, one change is as good as many: after a change the connection is
// left unread until the tick collects what came meanwhile, so that a moving pointer wakes the
// program once a tick rather than once a move. It is read as it comes again once a tick finds
// nothing new, or once the ticks stop: the X server keeps every event a client leaves unread.
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QSocketNotifier>

struct _XDisplay;

namespace zorvin::qt {

class X11Changes final : public QObject {
  public:
    // `changed` is called after each batch of changes read; it says whether a tick is coming
    // that will Collect the next ones.
    explicit X11Changes(std::function<bool()> changed);
    ~X11Changes() override;
    X11Changes(const X11Changes&) = delete;
    X11Changes& operator=(const X11Changes&) = delete;

    // Whether the pointer's moves by its devices are told: the server speaks XInput 2.1 or later.
    bool watching() const { return notifier_ != nullptr; }
    // A tick is due, or the ticks stopped: the changes that came since the last one are reported
    // now.
    void Collect();

  private:
    void Read();
    // Reads every event there is, without waiting; whether there was any.
    bool Drain();

    std::function<bool()> changed_;
    _XDisplay* display_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zorvin::qt
