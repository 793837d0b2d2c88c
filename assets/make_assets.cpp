// Builds Zorvin's pictures from their text sources (see assets/README.md for the format):
//
//     zorvin_make_assets <source dir> <output dir>
//
// reads face.txt, pupil.txt, icon.txt and hand.txt and writes face.bmp, pupil.bmp, zorvin.ico and
// hand.cur. It checks every picture first and writes nothing when one is wrong; the output is the
// same byte for byte on every run and every machine.
#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "assets/outline_fill.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kMagenta{255, 0, 255};

// A picture as its source describes it: one palette index per pixel, rows top to bottom.
struct Picture {
    std::string name;  // the source file, for messages
    int width = 0;
    int height = 0;
    std::vector<char> keys;  // the character of each palette entry
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;
    std::optional<std::uint8_t> transparent;  // the palette entry of transparent pixels
    std::optional<std::pair<int, int>> hotSpot;

    std::uint8_t index(int x, int y) const {
        return pixels[static_cast<std::size_t>(y * width + x)];
    }
    const Rgb& colour(int x, int y) const { return palette[index(x, y)]; }
    bool isTransparent(int x, int y) const { return transparent && index(x, y) == *transparent; }
};

class BadSource : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void reject(const std::string& where, const std::string& what) {
    throw BadSource(where + ": " + what);
}

std::optional<Rgb> parseRgb(const std::string& hex) {
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return std::nullopt;
    }
    const auto value = std::stoul(hex, nullptr, 16);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

std::optional<std::size_t> paletteIndexOf(const Picture& picture, char key) {
    for (std::size_t i = 0; i < picture.keys.size(); ++i) {
        if (picture.keys[i] == key) {
            return i;
        }
    }
    return std::nullopt;
}

Picture parseSource(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reject(path.string(), "cannot be read");
    }
    Picture picture;
    picture.name = path.filename().string();
    std::optional<char> transparentKey;
    bool inPixels = false;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string where = path.string() + ":" + std::to_string(lineNumber);
        if (inPixels) {
            if (line.empty()) {
                continue;
            }
            if (static_cast<int>(line.size()) != picture.width) {
                reject(where, "a row has " + std::to_string(line.size()) + " pixels, not " +
                                  std::to_string(picture.width));
            }
            for (char key : line) {
                const auto index = paletteIndexOf(picture, key);
                if (!index) {
                    reject(where, std::string("'") + key + "' is not in the palette");
                }
                picture.pixels.push_back(static_cast<std::uint8_t>(*index));
            }
            continue;
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "size") {
            if (!(words >> picture.width >> picture.height) || picture.width <= 0 ||
                picture.height <= 0) {
                reject(where, "expected: size <width> <height>");
            }
        } else if (keyword == "colour") {
            std::string key;
            std::string hex;
            words >> key >> hex;
            const auto rgb = parseRgb(hex);
            if (key.size() != 1 || !rgb) {
                reject(where, "expected: colour <character> <RRGGBB> [name]");
            }
            if (paletteIndexOf(picture, key[0])) {
                reject(where, "'" + key + "' is already in the palette");
            }
            if (picture.keys.size() == 256) {
                reject(where, "more than 256 colours");
            }
            picture.keys.push_back(key[0]);
            picture.palette.push_back(*rgb);
        } else if (keyword == "transparent") {
            std::string key;
            if (!(words >> key) || key.size() != 1) {
                reject(where, "expected: transparent <character>");
            }
            transparentKey = key[0];
        } else if (keyword == "hotspot") {
            int x = 0;
            int y = 0;
            if (!(words >> x >> y)) {
                reject(where, "expected: hotspot <x> <y>");
            }
            picture.hotSpot = {x, y};
        } else if (keyword == "pixels") {
            if (picture.width == 0 || picture.palette.empty()) {
                reject(where, "the size and the palette come before the pixels");
            }
            inPixels = true;
        } else {
            reject(where, "unknown line '" + keyword + "'");
        }
    }
    if (!inPixels) {
        reject(path.string(), "no pixels");
    }
    if (picture.pixels.size() != static_cast<std::size_t>(picture.width * picture.height)) {
        reject(path.string(),
               std::to_string(picture.pixels.size() / static_cast<std::size_t>(picture.width)) +
                   " rows, not " + std::to_string(picture.height));
    }
    if (transparentKey) {
        const auto index = paletteIndexOf(picture, *transparentKey);
        if (!index) {
            reject(path.string(), "the transparent character is not in the palette");
        }
        picture.transparent = static_cast<std::uint8_t>(*index);
    }
    return picture;
}

// --- Checks: what the program relies on, so a picture that breaks it is never written. ---

void requireSize(const Picture& picture, int width, int height) {
    if (picture.width != width || picture.height != height) {
        reject(picture.name, "must be " + std::to_string(width) + " x " + std::to_string(height));
    }
}

std::string pixelName(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

void checkFace(const Picture& face) {
    requireSize(face, zorvin::face_outline::kWidth, zorvin::face_outline::kHeight);
    if (face.transparent || face.hotSpot) {
        reject(face.name, "the face has neither transparent pixels nor a hot spot");
    }
    // The window shows exactly the outline's pixels: all of them must be face, all others black.
    std::string wrong;
    int wrongCount = 0;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            const bool inside = zorvin::face_outline::containsPixel(x, y);
            if (inside == (face.colour(x, y) == kBlack)) {
                if (++wrongCount <= 8) {
                    wrong += " " + pixelName(x, y) + (inside ? " is black" : " is not black");
                }
            }
        }
    }
    if (wrongCount > 0) {
        reject(face.name, "does not fill the window outline exactly; " +
                              std::to_string(wrongCount) + " pixels are wrong:" + wrong);
    }
}

void checkPupil(const Picture& pupil) {
    requireSize(pupil, 7, 8);
    if (pupil.palette.size() > 64) {
        reject(pupil.name, "more than 64 colours");
    }
    if (!pupil.transparent || pupil.palette[*pupil.transparent] != kMagenta) {
        reject(pupil.name, "transparent pixels must be the key colour ff00ff");
    }
    for (std::size_t i = 0; i < pupil.palette.size(); ++i) {
        if (i != *pupil.transparent && pupil.palette[i] == kMagenta) {
            reject(pupil.name, "ff00ff is reserved for transparent pixels");
        }
    }
}

void checkIcon(const Picture& icon) {
    requireSize(icon, 32, 32);
    // Under the mask, the colour part of an icon must be black, or it tints the desktop.
    if (!icon.transparent || icon.palette[*icon.transparent] != kBlack) {
        reject(icon.name, "needs transparent pixels, coloured 000000");
    }
}

void checkHand(const Picture& hand) {
    requireSize(hand, 32, 32);
    if (!hand.transparent) {
        reject(hand.name, "needs transparent pixels");
    }
    for (std::size_t i = 0; i < hand.palette.size(); ++i) {
        if (i != *hand.transparent && hand.palette[i] != kBlack && hand.palette[i] != kWhite) {
            reject(hand.name, "a cursor is black and white only");
        }
    }
    if (!hand.hotSpot) {
        reject(hand.name, "needs a hot spot");
    }
    const auto [x, y] = *hand.hotSpot;
    if (x < 0 || y < 0 || x >= hand.width || y >= hand.height || hand.isTransparent(x, y)) {
        reject(hand.name, "the hot spot must be a visible pixel of the hand");
    }
}

// --- Encoders: Windows bitmaps and the bitmap-in-icon/cursor resources, little-endian. ---

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

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
        Bytes row(stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            if (bitOf(x, y)) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// An 8-bit bottom-up BMP file with `entries` palette entries (the palette padded with black).
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

// The start of an icon (type 1) or cursor (type 2) file holding one image: the directory and the
// header of a bitmap of twice the picture's height. The caller appends the palette, the colour
// (XOR) rows and the mask (AND) rows, whose set bits mark transparent pixels.
Bytes startIconFile(const Picture& picture, std::uint16_t type, std::uint32_t bitsPerPixel,
                    std::uint16_t planesOrHotX, std::uint16_t bitCountOrHotY) {
    const std::size_t entries = std::size_t{1} << bitsPerPixel;
    const auto height = static_cast<std::uint32_t>(picture.height);
    const std::uint32_t imageSize =
        (rowBytes(picture.width, static_cast<int>(bitsPerPixel)) + rowBytes(picture.width, 1)) *
        height;
    const auto resourceSize = static_cast<std::uint32_t>(kInfoHeaderSize + 4 * entries + imageSize);
    constexpr std::uint32_t kDirectorySize = 6 + 16;

    Bytes out;
    put16(out, 0);  // reserved
    put16(out, type);
    put16(out, 1);  // images
    out.push_back(static_cast<std::uint8_t>(picture.width));
    out.push_back(static_cast<std::uint8_t>(picture.height));
    out.push_back(static_cast<std::uint8_t>(entries < 256 ? entries : 0));
    out.push_back(0);  // reserved
    put16(out, planesOrHotX);
    put16(out, bitCountOrHotY);
    put32(out, resourceSize);
    put32(out, kDirectorySize);

    putInfoHeader(out, picture.width, picture.height * 2, bitsPerPixel, imageSize, 0);
    return out;
}

Bytes encodeIcon(const Picture& icon) {
    Bytes out = startIconFile(icon, 1, 8, 1, 8);
    putPalette(out, icon.palette, 256);
    putIndexRows(out, icon);
    putBitRows(out, icon, [&](int x, int y) { return icon.isTransparent(x, y); });
    return out;
}

// A classic two-colour cursor: black is colour 0 and white colour 1 under a clear mask bit;
// transparent pixels are colour 0 under a set mask bit. The hot spot takes the place of the planes
// and bit count in the directory entry.
Bytes encodeCursor(const Picture& hand) {
    const auto [hotX, hotY] = *hand.hotSpot;
    Bytes out = startIconFile(hand, 2, 1, static_cast<std::uint16_t>(hotX),
                              static_cast<std::uint16_t>(hotY));
    putPalette(out, {kBlack, kWhite}, 2);
    putBitRows(out, hand, [&](int x, int y) {
        return !hand.isTransparent(x, y) && hand.colour(x, y) == kWhite;
    });
    putBitRows(out, hand, [&](int x, int y) { return hand.isTransparent(x, y); });
    return out;
}

struct Output {
    std::string fileName;
    Bytes bytes;
};

std::vector<Output> buildAll(const fs::path& sourceDir) {
    const Picture face = parseSource(sourceDir / "face.txt");
    const Picture pupil = parseSource(sourceDir / "pupil.txt");
    const Picture icon = parseSource(sourceDir / "icon.txt");
    const Picture hand = parseSource(sourceDir / "hand.txt");
    checkFace(face);
    checkPupil(pupil);
    checkIcon(icon);
    checkHand(hand);
    return {
        {"face.bmp", encodeBmp8(face, 256)},
        {"pupil.bmp", encodeBmp8(pupil, pupil.palette.size())},
        {"zorvin.ico", encodeIcon(icon)},
        {"hand.cur", encodeCursor(hand)},
    };
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot be written");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zorvin_make_assets <source dir> <output dir>\n";
        return 2;
    }
    try {
        const std::vector<Output> outputs = buildAll(argv[1]);
        const fs::path outDir = argv[2];
        fs::create_directories(outDir);
        for (const Output& output : outputs) {
            writeFile(outDir / output.fileName, output.bytes);
        }
    } catch (const std::exception& error) {
        std::cerr << "zorvin_make_assets: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
