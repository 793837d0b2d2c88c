// The top-level widget of a form's window.
#pragma once

#include <QWidget>

namespace zorvin::qt {

class QtWindow;

// Reports the window system's events to the QtWindow that owns it, for as long as that lives. An
// unloaded window's widgets are deleted later, from the event loop, as one of their own events may
// be the one that unloaded it; until then they report to nobody.
class FormWidget final : public QWidget {
  public:
    FormWidget(QtWindow& owner, Qt::WindowFlags flags);

    // The window that `widget`, or the form widget it lies in, belongs to; null once unloaded.
    static QtWindow* OwnerOf(const QWidget& widget);
    void Detach() { owner_ = nullptr; }

  protected:
    // Closing from the caption bar unloads the form; the program destroys the window itself.
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // Shift+F10 and the Menu key open the window's pop-up menu; a right press opens it by itself.
    // Qt makes a context-menu event of the Menu key only.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A window that stops being the active one while a button is held has lost the pointer to
    // another program, which keeps the release.
    void changeEvent(QEvent* event) override;

  private:
    QtWindow* owner_;
};

}  // namespace zorvin::qt
