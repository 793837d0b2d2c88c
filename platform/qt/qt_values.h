// The system's value types in Qt's terms: colours, fonts, mouse buttons and shift keys.
#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>
#include <Qt>

#include "platform/api/layout.h"
#include "platform/api/types.h"

namespace zorvin::qt {

QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);

// The named font where it is installed, else the desktop's sans serif, at the same size and
// style, its points times `factor` (Qt's logical DPI turns points into pixels). Qt fonts have no
// character set; the font's is not used.
QFont ToQFont(const Font& font, double factor);

// 1 left, 2 right, 4 middle; 0 for any other button.
std::int16_t ButtonOf(Qt::MouseButton button);
// The sum of the buttons held.
std::int16_t ButtonsOf(Qt::MouseButtons buttons);
// 1 shift, 2 control, 4 alt, summed.
std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers);

}  // namespace zorvin::qt
