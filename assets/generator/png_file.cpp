#include "assets/generator/png_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zorvin::assets {
namespace {

// Bits are packed from the least significant bit of each byte up, as deflate wants.
class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}

    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bit((value >> i) & 1u);
        }
    }
    // Huffman codes are sent from their most significant bit.
    void code(std::uint32_t value, int length) {
        for (int i = length - 1; i >= 0; --i) {
            bit((value >> i) & 1u);
        }
    }
    void flush() {
        if (used_ > 0) {
            out_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }

  private:
    void bit(std::uint32_t value) {
        current_ = static_cast<std::uint8_t>(current_ | (value << used_));
        if (++used_ == 8) {
            flush();
        }
    }

    Bytes& out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// The fixed literal/length code of a symbol from 0 to 287.
void putSymbol(BitWriter& writer, std::uint32_t symbol) {
    if (symbol < 144) {
        writer.code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        writer.code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        writer.code(symbol - 256, 7);
    } else {
        writer.code(0xC0 + symbol - 280, 8);
    }
}

constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                      4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                      9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The last table entry whose base is at most `value`.
template <typename Table>
std::size_t codeOf(const Table& bases, std::size_t value) {
    const auto above = std::upper_bound(bases.begin(), bases.end(), value);
    return static_cast<std::size_t>(above - bases.begin()) - 1;
}

void putMatch(BitWriter& writer, std::size_t length, std::size_t distance) {
    const std::size_t lengthCode = codeOf(kLengthBase, length);
    putSymbol(writer, static_cast<std::uint32_t>(257 + lengthCode));
    writer.bits(static_cast<std::uint32_t>(length - kLengthBase[lengthCode]),
                kLengthExtra[lengthCode]);
    const std::size_t distanceCode = codeOf(kDistanceBase, distance);
    writer.code(static_cast<std::uint32_t>(distanceCode), 5);
    writer.bits(static_cast<std::uint32_t>(distance - kDistanceBase[distanceCode]),
                kDistanceExtra[distanceCode]);
}

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;

std::size_t matchLength(const Bytes& data, std::size_t from, std::size_t at) {
    const std::size_t limit = std::min(kMaxMatch, data.size() - at);
    std::size_t length = 0;
    while (length < limit && data[from + length] == data[at + length]) {
        ++length;
    }
    return length;
}

// One block with the fixed codes, greedy matching: the longest match among the last places the
// same three bytes were seen.
void deflateFixed(BitWriter& writer, const Bytes& data) {
    writer.bits(1, 1);  // the last block
    writer.bits(1, 2);  // fixed Huffman codes
    constexpr std::size_t kHashSize = 1 << 15;
    constexpr int kTries = 64;
    constexpr std::size_t kNone = SIZE_MAX;
    std::vector<std::size_t> lastSeen(kHashSize, kNone);
    std::vector<std::size_t> seenBefore(data.size(), kNone);
    const auto hashAt = [&](std::size_t i) {
        return (std::size_t{data[i]} << 10 ^ std::size_t{data[i + 1]} << 5 ^ data[i + 2]) &
               (kHashSize - 1);
    };
    const auto remember = [&](std::size_t i) {
        if (i + kMinMatch <= data.size()) {
            const std::size_t hash = hashAt(i);
            seenBefore[i] = lastSeen[hash];
            lastSeen[hash] = i;
        }
    };
    std::size_t i = 0;
    while (i < data.size()) {
        std::size_t length = 0;
        std::size_t distance = 0;
        if (i + kMinMatch <= data.size()) {
            std::size_t seen = lastSeen[hashAt(i)];
            for (int tries = 0; seen != kNone && i - seen <= kWindow && tries < kTries; ++tries) {
                const std::size_t found = matchLength(data, seen, i);
                if (found > length) {
                    length = found;
                    distance = i - seen;
                }
                seen = seenBefore[seen];
            }
        }
        const std::size_t step = length >= kMinMatch ? length : 1;
        if (length >= kMinMatch) {
            putMatch(writer, length, distance);
        } else {
            putSymbol(writer, data[i]);
        }
        for (std::size_t j = i; j < i + step; ++j) {
            remember(j);
        }
        i += step;
    }
    putSymbol(writer, 256);  // end of block
    writer.flush();
}

void putBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t adler32(const Bytes& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void putChunk(Bytes& out, std::string_view type, const Bytes& content) {
    putBigEndian32(out, static_cast<std::uint32_t>(content.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), content.begin(), content.end());
    putBigEndian32(out, crc32(out.data() + start, out.size() - start));
}

}  // namespace

Bytes zlibCompress(const Bytes& data) {
    Bytes out{0x78, 0x01};  // deflate, 32 KB window, no dictionary, fastest level
    BitWriter writer(out);
    deflateFixed(writer, data);
    putBigEndian32(out, adler32(data));
    return out;
}

Bytes encodePng(const Picture& picture) {
    Bytes header;
    putBigEndian32(header, static_cast<std::uint32_t>(picture.width));
    putBigEndian32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no filter, no interlace

    Bytes rows;
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);  // filter: none
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& rgb = picture.colour(x, y);
            const bool transparent = picture.isTransparent(x, y);
            rows.insert(rows.end(), {transparent ? std::uint8_t{0} : rgb.r,
                                     transparent ? std::uint8_t{0} : rgb.g,
                                     transparent ? std::uint8_t{0} : rgb.b,
                                     transparent ? std::uint8_t{0} : std::uint8_t{255}});
        }
    }

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlibCompress(rows));
    putChunk(out, "IEND", {});
    return out;
}

}  // namespace zorvin::assets
