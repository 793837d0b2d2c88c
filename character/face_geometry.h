// The face's geometry, the one table of it: the outline that is the character window's shape, and
// the eyes the pupils move in. The window's region (Form1's Outline), the eyes' start-up values,
// the artwork generator's check of the face picture and the tests (through zorvin_figures) all
// read it from here.
#pragma once

#include <array>

#include "character/eye_geometry.h"
#include "platform/api/types.h"

namespace zorvin {

// Where the client area begins inside the outer window the table is drawn for.
inline constexpr Point kFaceOutlineClientOrigin{3, 22};

// The 38 corners in window coordinates. The repeated points (1 and 2, 0 and 37) are part of the
// table: the last closes the outline explicitly.
inline constexpr std::array<Point, 38> kFaceOutline{{
    {6, 57},  {6, 43},  {6, 43},  {14, 30}, {18, 27}, {24, 26}, {28, 25}, {34, 24},
    {42, 24}, {47, 26}, {54, 26}, {56, 25}, {64, 24}, {69, 24}, {78, 27}, {83, 31},
    {88, 42}, {90, 49}, {91, 52}, {91, 58}, {88, 63}, {86, 65}, {85, 67}, {82, 69},
    {78, 71}, {70, 79}, {68, 80}, {63, 83}, {58, 86}, {53, 87}, {46, 87}, {35, 83},
    {27, 77}, {23, 73}, {18, 71}, {10, 64}, {7, 60},  {6, 57},
}};

// The eyes, in client pixels: each pupil's centre keeps to its ellipse.
inline constexpr EyeGeometry kLeftEyeGeometry{21, 32, 5, 3};
inline constexpr EyeGeometry kRightEyeGeometry{71, 32, 5, 3};

}  // namespace zorvin
