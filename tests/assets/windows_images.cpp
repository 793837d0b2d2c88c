#include "windows_images.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace zorvin::test {
namespace {

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::span<const std::uint8_t> take(std::size_t offset, std::size_t size) const {
        if (offset > bytes_.size() || size > bytes_.size() - offset) {
            throw std::runtime_error("cut short at " + std::to_string(offset + size));
        }
        return bytes_.subspan(offset, size);
    }
    std::uint8_t u8(std::size_t offset) const { return take(offset, 1)[0]; }
    std::uint16_t u16(std::size_t offset) const {
        return static_cast<std::uint16_t>(u8(offset) | u8(offset + 1) << 8);
    }
    std::uint32_t u32(std::size_t offset) const {
        return u16(offset) | static_cast<std::uint32_t>(u16(offset + 2)) << 16;
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

std::size_t stride(int width, int bits) {
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

// Rows of `bits`-wide values stored bottom-up from `offset`, returned top-down.
std::vector<std::uint8_t> readRows(const Reader& in, std::size_t offset, int width, int height,
                                   int bits) {
    std::vector<std::uint8_t> values;
    for (int y = height - 1; y >= 0; --y) {
        const auto row = in.take(offset + static_cast<std::size_t>(y) * stride(width, bits),
                                 stride(width, bits));
        for (int x = 0; x < width; ++x) {
            const auto bit = static_cast<std::size_t>(x * bits);
            const auto shift = static_cast<unsigned>(8 - bits) - bit % 8;
            values.push_back(
                static_cast<std::uint8_t>((row[bit / 8] >> shift) & ((1 << bits) - 1)));
        }
    }
    return values;
}

// The BITMAPINFOHEADER at `offset`, its palette and its (colour) rows, half the stored height of
// them in an icon; returns where the rows end.
std::size_t readDib(const Reader& in, std::size_t offset, Image& image, bool halfHeight) {
    image.headerSize = in.u32(offset);
    image.width = static_cast<std::int32_t>(in.u32(offset + 4));
    image.storedHeight = static_cast<std::int32_t>(in.u32(offset + 8));
    image.bitsPerPixel = in.u16(offset + 14);
    image.compression = in.u32(offset + 16);
    if (image.headerSize != 40 || image.width <= 0 || image.width > 1024 ||
        image.storedHeight <= 0 || image.storedHeight > 1024 ||
        (image.bitsPerPixel != 1 && image.bitsPerPixel != 8) || image.compression != 0) {
        throw std::runtime_error("not an uncompressed bottom-up palettised bitmap");
    }
    image.height = halfHeight ? image.storedHeight / 2 : image.storedHeight;
    const std::uint32_t coloursUsed = in.u32(offset + 32);
    const std::size_t entries = coloursUsed != 0 ? coloursUsed : 1u << image.bitsPerPixel;
    const auto quads = in.take(offset + image.headerSize, 4 * entries);
    for (std::size_t i = 0; i < entries; ++i) {
        image.palette.push_back({quads[4 * i + 2], quads[4 * i + 1], quads[4 * i]});
    }
    const std::size_t pixels = offset + image.headerSize + 4 * entries;
    image.indices = readRows(in, pixels, image.width, image.height, image.bitsPerPixel);
    for (std::uint8_t index : image.indices) {
        if (index >= entries) {
            throw std::runtime_error("a pixel's index is past the palette");
        }
    }
    return pixels +
           stride(image.width, image.bitsPerPixel) * static_cast<std::size_t>(image.height);
}

}  // namespace

Image readBitmapFile(std::span<const std::uint8_t> bytes) {
    const Reader in(bytes);
    if (in.u8(0) != 'B' || in.u8(1) != 'M' || in.u32(2) != bytes.size()) {
        throw std::runtime_error("no BM signature or a wrong file size");
    }
    Image image;
    const std::size_t end = readDib(in, 14, image, false);
    if (in.u32(10) != 14 + image.headerSize + 4 * image.palette.size() || end != bytes.size()) {
        throw std::runtime_error("the pixels do not follow the palette up to the end");
    }
    return image;
}

Image readIconFile(std::span<const std::uint8_t> bytes, std::size_t index) {
    const Reader in(bytes);
    Image image;
    image.type = in.u16(2);
    image.imageCount = in.u16(4);
    if (in.u16(0) != 0 || index >= image.imageCount) {
        throw std::runtime_error("not an icon directory, or no such image in it");
    }
    const std::size_t entry = 6 + 16 * index;
    image.entryWidth = in.u8(entry) == 0 ? 256 : in.u8(entry);
    image.entryHeight = in.u8(entry + 1) == 0 ? 256 : in.u8(entry + 1);
    image.hotX = in.u16(entry + 4);
    image.hotY = in.u16(entry + 6);
    const std::uint32_t size = in.u32(entry + 8);
    const Reader data(in.take(in.u32(entry + 12), size));
    constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P',  'N',  'G',
                                                        '\r', '\n', 0x1A, '\n'};
    if (std::ranges::equal(data.take(0, 8), kPngSignature)) {
        // The pixels stay compressed; the header gives the size.
        image.png = true;
        image.width = static_cast<int>(data.u8(16) << 24 | data.u8(17) << 16 | data.u8(18) << 8 |
                                       data.u8(19));
        image.height = static_cast<int>(data.u8(20) << 24 | data.u8(21) << 16 | data.u8(22) << 8 |
                                        data.u8(23));
        return image;
    }
    const std::size_t maskAt = readDib(data, 0, image, true);
    for (std::uint8_t bit : readRows(data, maskAt, image.width, image.height, 1)) {
        image.masked.push_back(bit != 0);
    }
    if (maskAt + stride(image.width, 1) * static_cast<std::size_t>(image.height) != size) {
        throw std::runtime_error("the image's size in the directory is wrong");
    }
    return image;
}

}  // namespace zorvin::test
