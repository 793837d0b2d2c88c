// Pupil tracking: every tick of Timer1 looks where the cursor is and, when it or the window has
// moved, turns each pupil towards it on its own small ellipse. The window moves under a still
// cursor when the window manager or the keyboard moves it, or the screens change.
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "character/form1.h"

namespace zorvin {
namespace {

// The runtime's conversion of a float to a 16-bit integer: to nearest, halves to even.
std::int16_t ToInt16(float value) {
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw std::overflow_error("value does not fit a 16-bit integer");
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace

void Form1::Timer1_Timer() {
    SystemApi& system = program_.platform();
    Point cursor{};
    system.GetCursorPos(cursor);
    const float left = window_->Left();
    const float top = window_->Top();
    // A still cursor over a still window costs no more than this.
    if (cursor == LastCursor && left == LastLeft && top == LastTop) {
        return;
    }
    LastCursor = cursor;
    LastLeft = left;
    LastTop = top;
    system.ScreenToClient(window_->hWnd(), cursor);
    const auto x = static_cast<float>(cursor.x);
    const auto y = static_cast<float>(cursor.y);
    MovePupil(0, LeftEye, x, y);
    MovePupil(1, RightEye, x, y);
}

// Puts the pupil's centre on its ellipse, in the direction of (X, Y) from the eye centre. The
// offset is the unit vector towards the cursor scaled by each radius, so the pupil points exactly
// at the cursor only along the axes; a cursor on the centre puts the pupil in the middle. Working
// values are 32-bit floats; each step is formed in double and rounded when stored.
void Form1::MovePupil(float Index, const EyeGeometry& Geometry, float X, float Y) {
    auto dx = static_cast<float>(static_cast<double>(X) - Geometry.CenterX);
    auto dy = static_cast<float>(static_cast<double>(Y) - Geometry.CenterY);
    const auto d =
        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    if (d > 0) {
        dx = static_cast<float>(static_cast<double>(dx) / d);
        dy = static_cast<float>(static_cast<double>(dy) / d);
    } else {
        dx = 0;
        dy = 0;
    }
    const auto px =
        static_cast<float>(static_cast<double>(dx) * Geometry.RadiusX + Geometry.CenterX);
    const auto py =
        static_cast<float>(static_cast<double>(dy) * Geometry.RadiusY + Geometry.CenterY);

    PictureBox& pupil = *Eye.at(static_cast<std::size_t>(ToInt16(Index)));
    pupil.setLeft(px - pupil.Width() / 2);
    pupil.setTop(py - pupil.Height() / 2);
}

}  // namespace zorvin
