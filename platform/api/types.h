// Value types of the window system, as the forms see them.
#pragma once

#include <cstdint>

namespace zorvin {

// A position in pixels, x then y, y growing downwards.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle by its edges: right and bottom are the first pixels outside, so that rectangles
// that touch share an edge, at any scale.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;

// Handles as the system functions take them, handed out by the form platform (platform/common).
using Hwnd = std::intptr_t;
using Hrgn = std::intptr_t;

// Mouse button values of mouse events: the one button pressed or released, or the sum of all held.
inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

}  // namespace zorvin
