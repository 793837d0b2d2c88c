// Zorvin's pictures, built into the program: the files a backend loads the artwork from.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/api/layout.h"

namespace zorvin {

// The whole file of a picture: face.bmp and pupil.bmp are 8-bit Windows bitmaps, zorvin.ico a
// 32 x 32 icon, hand.cur a 32 x 32 two-colour cursor. Empty for Artwork::None.
std::span<const std::uint8_t> artworkFile(Artwork artwork);

// The picture's file name in assets/: "face.bmp", "pupil.bmp", "zorvin.ico", "hand.cur"; empty for
// Artwork::None.
std::string_view artworkFileName(Artwork artwork);

// The pupil's pixels of this colour are not drawn: its corners and its bottom row.
inline constexpr Colour kPupilTransparentColour = 0xFF00FF;

// The pixel of the hand pointer that points: the tip of the raised index finger.
inline constexpr Point kHandHotSpot{5, 1};

}  // namespace zorvin
