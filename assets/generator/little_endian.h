// Appending little-endian numbers to a file's bytes, as Windows file formats store them.
#pragma once

#include <cstdint>

#include "assets/generator/picture.h"

namespace zorvin::assets {

inline void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

}  // namespace zorvin::assets
