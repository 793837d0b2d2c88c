#include "assets/generator/picture.h"

#include <fstream>
#include <sstream>

namespace zorvin::assets {

void reject(const std::string& where, const std::string& what) {
    throw BadSource(where + ": " + what);
}

namespace {

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

}  // namespace

Picture parseSource(const std::filesystem::path& path) {
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

}  // namespace zorvin::assets
