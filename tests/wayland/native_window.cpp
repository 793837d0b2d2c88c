// A native Wayland window for the tests: maximized, one colour, and "shown" on stdout once the
// compositor has it on screen, so that a test knows the pointer is over it, where XWayland cannot
// see the pointer.
#include <cstdio>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

class NativeWindow final : public QWidget {
  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(event->rect(), QColor(0x20, 0x80, 0x40));
        if (!shown_) {
            shown_ = true;
            std::puts("shown");
            std::fflush(stdout);
        }
    }

  private:
    bool shown_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    NativeWindow window;
    window.showMaximized();
    return QApplication::exec();
}
