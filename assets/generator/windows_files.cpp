#include "assets/generator/windows_files.h"

#include "assets/generator/little_endian.h"
#include "assets/generator/png_file.h"

namespace zorvin::assets {
namespace {

std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void putInfoHeader(Bytes& out, int width, int height, std::uint32_t bitsPerPixel,
                   std::uint32_t imageSize, std::uint32_t coloursUsed) {
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);  // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // uncompressed
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, coloursUsed);
    put32(out, 0);  // all colours are important
}

void putPalette(Bytes& out, const std::vector<Rgb>& palette, std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb rgb = i < palette.size() ? palette[i] : kBlack;
        out.insert(out.end(), {rgb.b, rgb.g, rgb.r, 0});
    }
}

// Rows bottom-up, one byte per pixel, each row padded to four bytes.
void putIndexRows(Bytes& out, const Picture& picture) {
    const std::uint32_t stride = rowBytes(picture.width, 8);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            out.push_back(picture.index(x, y));
        }
        out.resize(out.size() + stride - static_cast<std::uint32_t>(picture.width), 0);
    }
}

// Rows bottom-up, one bit per pixel, leftmost pixel in the high bit, rows padded to four bytes.
template <typename BitOf>
void putBitRows(Bytes& out, const Picture& picture, BitOf bitOf) {
    const std::uint32_t stride = rowBytes(picture.width, 1);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t row = out.size();
        out.resize(row + stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            if (bitOf(x, y)) {
                out[row + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
    }
}

void putMask(Bytes& out, const Picture& picture) {
    putBitRows(out, picture, [&](int x, int y) { return picture.isTransparent(x, y); });
}

// An icon or cursor image as a bitmap of twice the picture's height: the header, then the caller's
// palette and colour (XOR) rows, then the mask (AND) rows, whose set bits mark transparent pixels.
void putIconBitmapHeader(Bytes& out, const Picture& picture, std::uint32_t bitsPerPixel) {
    const std::uint32_t imageSize =
        (rowBytes(picture.width, static_cast<int>(bitsPerPixel)) + rowBytes(picture.width, 1)) *
        static_cast<std::uint32_t>(picture.height);
    putInfoHeader(out, picture.width, picture.height * 2, bitsPerPixel, imageSize, 0);
}

struct DirectoryEntry {
    int width = 0;
    int height = 0;
    std::uint8_t colourCount = 0;  // 0 for 256 colours or more
    std::uint16_t planesOrHotX = 0;
    std::uint16_t bitCountOrHotY = 0;
    Bytes image;
};

// An icon (type 1) or cursor (type 2) file: the directory, then each image in order.
Bytes iconFile(std::uint16_t type, const std::vector<DirectoryEntry>& entries) {
    constexpr std::uint32_t kHeaderSize = 6;
    constexpr std::uint32_t kEntrySize = 16;
    Bytes out;
    put16(out, 0);  // reserved
    put16(out, type);
    put16(out, static_cast<std::uint32_t>(entries.size()));
    auto offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * entries.size());
    for (const DirectoryEntry& entry : entries) {
        // 256 is written as 0.
        out.push_back(static_cast<std::uint8_t>(entry.width));
        out.push_back(static_cast<std::uint8_t>(entry.height));
        out.push_back(entry.colourCount);
        out.push_back(0);  // reserved
        put16(out, entry.planesOrHotX);
        put16(out, entry.bitCountOrHotY);
        put32(out, static_cast<std::uint32_t>(entry.image.size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const DirectoryEntry& entry : entries) {
        out.insert(out.end(), entry.image.begin(), entry.image.end());
    }
    return out;
}

Bytes iconBitmap(const Picture& picture) {
    Bytes out;
    putIconBitmapHeader(out, picture, 8);
    putPalette(out, picture.palette, 256);
    putIndexRows(out, picture);
    putMask(out, picture);
    return out;
}

}  // namespace

Bytes encodeBmp8(const Picture& picture, std::size_t entries) {
    const std::uint32_t imageSize =
        rowBytes(picture.width, 8) * static_cast<std::uint32_t>(picture.height);
    const auto offset = static_cast<std::uint32_t>(14 + kInfoHeaderSize + 4 * entries);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);  // reserved
    put32(out, offset);
    putInfoHeader(out, picture.width, picture.height, 8, imageSize,
                  static_cast<std::uint32_t>(entries));
    putPalette(out, picture.palette, entries);
    putIndexRows(out, picture);
    return out;
}

Bytes encodeIcon(const std::vector<Picture>& images) {
    constexpr int kPngSize = 256;
    std::vector<DirectoryEntry> entries;
    for (const Picture& image : images) {
        if (image.width == kPngSize) {
            entries.push_back({image.width, image.height, 0, 1, 32, encodePng(image)});
        } else {
            entries.push_back({image.width, image.height, 0, 1, 8, iconBitmap(image)});
        }
    }
    return iconFile(1, entries);
}

// Black is colour 0 and white colour 1 under a clear mask bit; transparent pixels are colour 0
// under a set mask bit. The hot spot takes the place of the planes and bit count.
Bytes encodeCursor(const Picture& hand) {
    const auto [hotX, hotY] = *hand.hotSpot;
    Bytes image;
    putIconBitmapHeader(image, hand, 1);
    putPalette(image, {kBlack, kWhite}, 2);
    putBitRows(image, hand, [&](int x, int y) {
        return !hand.isTransparent(x, y) && hand.colour(x, y) == kWhite;
    });
    putMask(image, hand);
    return iconFile(2, {{hand.width, hand.height, 2, static_cast<std::uint16_t>(hotX),
                         static_cast<std::uint16_t>(hotY), std::move(image)}});
}

}  // namespace zorvin::assets
