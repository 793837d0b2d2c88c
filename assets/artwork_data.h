// The bytes of the artwork files, compiled in from a source generated at build time.
// Private to zorvin_assets: use assets/artwork.h.
#pragma once

#include <cstdint>
#include <span>

namespace zorvin::artwork_data {

extern const std::span<const std::uint8_t> face;   // face.bmp
extern const std::span<const std::uint8_t> pupil;  // pupil.bmp
extern const std::span<const std::uint8_t> icon;   // zorvin.ico
extern const std::span<const std::uint8_t> hand;   // hand.cur

}  // namespace zorvin::artwork_data
