// A picture as its text source describes it (see assets/README.md), and what the generator's parts
// share: bytes to write, and the error that rejects a source.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zorvin::assets {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kMagenta{255, 0, 255};

// One palette index per pixel, rows top to bottom.
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

// A source or a picture the program cannot use.
class BadSource : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void reject(const std::string& where, const std::string& what);

Picture parseSource(const std::filesystem::path& path);

}  // namespace zorvin::assets
