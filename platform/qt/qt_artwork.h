// The artwork built into the program (assets/), as Qt pictures, icons and pointers.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include "platform/api/layout.h"
#include "platform/dpi_scale/dpi_scale.h"

namespace zorvin::qt {

// The picture, with the pupil's key-colour pixels transparent.
QPixmap ArtworkPixmap(Artwork artwork);

QIcon ArtworkIcon(Artwork artwork);

// The mouse pointer a control shows: the system's arrow, or the hand with its hot spot, grown as
// the control's window is, as Windows grows pointers by the DPI.
QCursor PointerCursor(MousePointer pointer, const DpiScale& scale);

}  // namespace zorvin::qt
