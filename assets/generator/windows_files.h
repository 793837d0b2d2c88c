// Windows bitmaps, icons and cursors.
#pragma once

#include <cstddef>
#include <vector>

#include "assets/generator/picture.h"

namespace zorvin::assets {

// An 8-bit bottom-up BMP file with `entries` palette entries (the palette padded with black).
Bytes encodeBmp8(const Picture& picture, std::size_t entries);

// An icon file holding each image in order: 256-colour bitmaps with an AND mask, except for a
// 256-pixel image, which is stored as PNG as Windows expects at that size. Transparent pixels
// must be black.
Bytes encodeIcon(const std::vector<Picture>& images);

// A classic two-colour cursor with its hot spot. Black and white pixels only.
Bytes encodeCursor(const Picture& hand);

}  // namespace zorvin::assets
