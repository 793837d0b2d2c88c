// A form's window on Qt: a top-level widget built from the form's layout, its controls, and the
// translation of the window system's events into the form's.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include <QPoint>
#include <QRegion>

#include "platform/common/layout_walk.h"
#include "platform/common/window_core.h"
#include "platform/control_lookup.h"
#include "platform/form_runtime.h"
#include "platform/layout.h"
#include "platform/qt/qt_controls.h"

class QMouseEvent;
class QWidget;

namespace zorvin::qt {

class FormWidget;
class QtPlatform;

enum class MouseAction { Down, Move, Up };

class QtWindow final : public Window, private NativeWindow, private ControlBuilder {
  public:
    QtWindow(QtPlatform& platform, const FormLayout& layout, FormEvents& events, Hwnd hwnd);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    // Window
    void Unload() override;
    Hwnd hWnd() const override { return hwnd_; }
    float Left() const override;
    void setLeft(float left) override;
    float Top() const override;
    void setTop(float top) override;
    PictureBox& picture(ControlId id) override;
    Label& label(ControlId id) override;
    Timer& timer(ControlId id) override;
    MenuItem& menuItem(std::string_view name) override;

    WindowCore& core() { return core_; }
    // The outer window on the screen, where the program last put it.
    QRect outerRect() const;

    // The platform's operations on this window.
    void Show();
    void Hide();
    // `region` is in window coordinates, drawn for the layout's client origin.
    void SetRegion(const QRegion& region);
    void SetStaysOnTop(bool on);
    QPoint ScreenToClient(QPoint screen) const;
    void PopupMenu(std::string_view menu);

    // The window system's events, delivered to the form through the core. The form may unload this
    // window while handling one.
    void Mouse(MouseAction action, ControlId control, const QMouseEvent& event);
    // The window system reports the window at a new place.
    void Moved();
    // Something this window's timers' ticks read may have changed.
    void Change();
    // Whether any of its timers runs.
    bool ticking() const;

  private:
    template <typename Control>
    using Controls = std::map<ControlKey, std::unique_ptr<Control>>;

    // NativeWindow
    ClientPoint ControlOrigin(ControlId control) const override;
    void MoveOuter(OuterPosition position) override;

    // ControlBuilder
    void AddPicture(const ControlLayout& control) override;
    void AddLabel(const ControlLayout& control) override;
    void AddButton(const ControlLayout& control) override;
    void AddTimer(const ControlLayout& control) override;

    void PlaceCentred();
    void MoveToAskedPlace();
    QPoint OuterCorner() const;
    QPoint ClientOrigin() const;

    QtPlatform& platform_;
    const FormLayout& layout_;
    WindowCore core_;
    const Hwnd hwnd_;
    bool unloaded_ = false;
    FormWidget* widget_;  // deleted from the event loop once this window is gone
    bool frameless_ = false;
    // Asked for before the window is shown, the stacking is asked of the window manager once the
    // window is mapped: a window mapped with _NET_WM_STATE_ABOVE set may never lose it (IceWM).
    bool staysOnTop_ = false;
    // The outer top-left corner where the program last put the window, or where the window
    // system last moved it of its own accord. Moves reach the screen later than they are asked
    // for; positions read back and mouse positions are taken from here, so that the two agree.
    float left_ = 0;
    float top_ = 0;
    // Places asked for and not yet reported by the window system, oldest first.
    std::deque<QPoint> pending_;
    Controls<QtPicture> pictures_;
    Controls<QtLabel> labels_;
    Controls<QtTimer> timers_;
    std::map<ControlKey, QWidget*> mouseWidgets_;  // pictures' and labels'
    std::map<std::string_view, std::unique_ptr<QtMenuItem>, std::less<>> menuItems_;
};

}  // namespace zorvin::qt
