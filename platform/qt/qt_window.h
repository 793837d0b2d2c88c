// A form's native window on Qt: a top-level widget with the form's caption, icon, colour and font,
// its controls as child widgets and QTimers, and the window system's events reported to the form
// window. The widgets are in device pixels, the form's pixels scaled as its layout says.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include <QPoint>

#include "platform/common/native_window.h"
#include "platform/dpi_scale/dpi_scale.h"

class QMouseEvent;

namespace zorvin::qt {

class FormWidget;
class QtPlatform;

enum class MouseAction { Down, Move, Up };

class QtWindow final : public NativeWindow {
  public:
    QtWindow(QtPlatform& platform, WindowEvents& events, const FormLayout& layout,
             const Rect& screen);
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    WindowEvents& events() { return events_; }

    // The window system's events. The form may unload the window while handling one.
    void Mouse(MouseAction action, ControlId control, const QMouseEvent& event);
    void Moved();

  private:
    // NativeWindow
    std::unique_ptr<NativePicture> AddPicture(const ControlLayout& control) override;
    std::unique_ptr<NativeLabel> AddLabel(const ControlLayout& control) override;
    void AddButton(const ControlLayout& control) override;
    std::unique_ptr<NativeTimer> AddTimer(const ControlLayout& control) override;
    Point Place() override { return PlaceCentred(); }
    void Show() override;
    void Hide() override;
    void Destroy() override;
    DpiScale Scale() const override { return scale_; }
    void MoveOuter(Point place) override;
    Rect OuterRect() const override;
    Point ScreenToClient(Point screen) const override;
    void SetShape(std::span<const Point> outline, FillRule rule) override;
    void SetStaysOnTop(bool on) override;
    std::optional<std::string_view> PopupMenu(std::span<const PopupItem> items,
                                              std::optional<ClientPoint> anchor) override;

    // Centred on the screen it was made for, at its outer size with or without a frame: where its
    // outer top-left corner is then.
    Point PlaceCentred();
    // The layout's outer size at the window's scale: the window manager's frame is not scaled.
    Size ScaledOuterSize() const;
    QPoint ClientOrigin() const;

    QtPlatform& platform_;
    WindowEvents& events_;
    const FormLayout& layout_;
    const Rect screen_;
    const DpiScale scale_;
    FormWidget* widget_;  // deleted from the event loop once this window is gone
    bool frameless_ = false;
    // Asked for before the window is shown, the stacking is asked of the window manager once the
    // window is mapped: a window mapped with _NET_WM_STATE_ABOVE set may never lose it (IceWM).
    bool staysOnTop_ = false;
};

}  // namespace zorvin::qt
