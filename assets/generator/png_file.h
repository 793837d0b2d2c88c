// PNG files: 8-bit RGBA, compressed, the same bytes on every run.
#pragma once

#include "assets/generator/picture.h"

namespace zorvin::assets {

// The picture with its transparent pixels fully transparent and every other pixel opaque.
Bytes encodePng(const Picture& picture);

// The zlib stream of `data`, deflated with the fixed Huffman codes. Pixel art is mostly runs and
// rows repeated, which this finds; it is no general-purpose compressor.
Bytes zlibCompress(const Bytes& data);

}  // namespace zorvin::assets
