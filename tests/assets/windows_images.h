// A reader for the picture files the program ships, written for the tests from the file formats
// alone (it shares nothing with the generator): 8-bit Windows bitmaps, and the images of icon and
// cursor files: bitmaps with an AND mask, or PNG, of which it reads only the size.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zorvin::test {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A palettised image, rows top to bottom, with the header fields the program's loaders rely on.
struct Image {
    std::uint16_t type = 0;        // icons and cursors: 1 for an icon, 2 for a cursor
    std::uint16_t imageCount = 0;  // icons and cursors
    int entryWidth = 0;            // icons and cursors: the directory entry's size
    int entryHeight = 0;
    std::uint16_t hotX = 0;         // cursors: the planes field of the directory entry
    std::uint16_t hotY = 0;         // cursors: its bit count field
    std::uint32_t headerSize = 0;   // 40 for a BITMAPINFOHEADER
    std::int32_t storedHeight = 0;  // positive: bottom-up; icons store twice the height
    std::uint32_t compression = 0;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
    std::vector<bool> masked;  // icons and cursors: true where the AND mask hides a pixel
    bool png = false;          // icons: a PNG image, of which only the size is read

    std::uint8_t index(int x, int y) const { return indices.at(at(x, y)); }
    Rgb colour(int x, int y) const { return palette.at(index(x, y)); }
    bool transparent(int x, int y) const { return !masked.empty() && masked.at(at(x, y)); }

  private:
    std::size_t at(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
};

// Both throw std::runtime_error when the bytes are not such a file or are cut short.
Image readBitmapFile(std::span<const std::uint8_t> bytes);
// `index` is the image's place in an icon or cursor file's directory.
Image readIconFile(std::span<const std::uint8_t> bytes, std::size_t index = 0);

}  // namespace zorvin::test
