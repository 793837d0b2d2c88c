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

class QtWindow final : public Window {
  public:
    QtWindow(QtPlatform& platform, const FormLayout& layout, FormEvents& events, Hwnd hwnd);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    // Window
    Hwnd hWnd() const override { return hwnd_; }
    float Left() const override { return left_; }
    void setLeft(float left) override;
    float Top() const override { return top_; }
    void setTop(float top) override;
    PictureBox& picture(ControlId id) override;
    Label& label(ControlId id) override;
    Timer& timer(ControlId id) override;
    MenuItem& menuItem(std::string_view name) override;

    // The platform's operations on this window.
    void Show();
    void Hide();
    // `region` is in window coordinates, drawn for the layout's client origin.
    void SetRegion(const QRegion& region);
    void SetStaysOnTop(bool on);
    QPoint ScreenToClient(QPoint screen) const;
    void PopupMenu(std::string_view menu);

    // The window system's events, delivered to the form unless the program has ended. The form may
    // unload this window while handling one.
    void Mouse(MouseAction action, ControlId control, const QWidget& source,
               const QMouseEvent& event);
    void Click(ControlId control);
    void Tick(ControlId timer);
    void CaptionClose();
    // The window system reports the window at a new place.
    void Moved();

  private:
    template <typename Control>
    using Controls = std::map<ControlKey, std::unique_ptr<Control>>;

    void AddControl(const ControlLayout& control);
    void AddButton(const ControlLayout& control);
    void PlaceCentred();
    void MoveToAskedPlace();
    QPoint OuterPosition() const;
    QPoint ClientOrigin() const;
    bool Ended() const;

    QtPlatform& platform_;
    const FormLayout& layout_;
    FormEvents& events_;
    const Hwnd hwnd_;
    FormWidget* widget_;  // deleted from the event loop once this window is gone
    bool frameless_ = false;
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
    std::map<std::string_view, std::unique_ptr<QtMenuItem>, std::less<>> menuItems_;
};

}  // namespace zorvin::qt
