#include "platform/common/form_platform.h"

#include "platform/common/form_window.h"

namespace zorvin {

std::unique_ptr<Window> FormPlatform::Load(const FormLayout& layout, FormEvents& events) {
    return std::make_unique<FormWindow>(registry_, system_, layout, events);
}

void FormPlatform::Show(Window& window) {
    static_cast<FormWindow&>(window).Show();
}

// Windows move to the places asked for before anything else runs.
void FormPlatform::DoEvents() {
    registry_.ApplyAskedMoves();
    system_.ProcessEvents();
}

void FormPlatform::PopupMenu(Window& window, std::string_view menu) {
    static_cast<FormWindow&>(window).PopupMenu(menu);
}

// End may come from deep inside nested event loops (a menu's, inside a mouse handler): the
// windows go at once, no event reaches a form any more, and every loop returns to the start.
void FormPlatform::End() {
    if (registry_.ended()) {
        return;
    }
    registry_.End();
    for (FormWindow* window : registry_.windows()) {
        window->Hide();
    }
    system_.Quit();
}

}  // namespace zorvin
