#include "platform/qt/pointer/x11_pointer.h"

#include <QCursor>

namespace zorvin::qt {

// Anywhere on the virtual desktop, screens left of or above the primary one included.
std::optional<QPoint> X11Pointer::Position() {
    return QCursor::pos();
}

}  // namespace zorvin::qt
