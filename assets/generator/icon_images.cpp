#include "assets/generator/icon_images.h"

#include <algorithm>
#include <string>

#include "assets/outline_fill.h"

namespace zorvin::assets {
namespace {

// An empty picture with the source's palette, all transparent.
Picture transparentSquare(const Picture& source, int size) {
    Picture square = source;
    square.name = source.name + " at " + std::to_string(size);
    square.width = size;
    square.height = size;
    square.hotSpot.reset();
    square.pixels.assign(static_cast<std::size_t>(size * size), *source.transparent);
    return square;
}

// The face with everything outside the window outline transparent: a new palette entry, black.
Picture cutOutFace(const Picture& face) {
    Picture cut = face;
    cut.transparent = static_cast<std::uint8_t>(cut.palette.size());
    cut.palette.push_back(kBlack);
    cut.keys.push_back('\0');
    for (int y = 0; y < cut.height; ++y) {
        for (int x = 0; x < cut.width; ++x) {
            if (!face_outline::containsPixel(x, y)) {
                cut.pixels[static_cast<std::size_t>(y * cut.width + x)] = *cut.transparent;
            }
        }
    }
    return cut;
}

// `source` drawn on a transparent square, each pixel a `scale` x `scale` block, centred.
Picture centredAtScale(const Picture& source, int size, int scale) {
    Picture square = transparentSquare(source, size);
    const int left = (size - source.width * scale) / 2;
    const int top = (size - source.height * scale) / 2;
    for (int y = 0; y < source.height * scale; ++y) {
        for (int x = 0; x < source.width * scale; ++x) {
            square.pixels[static_cast<std::size_t>((top + y) * size + left + x)] =
                source.index(x / scale, y / scale);
        }
    }
    return square;
}

// `source` sampled down to `size`: each pixel takes the source pixel under its centre.
Picture sampledDown(const Picture& source, int size) {
    Picture square = transparentSquare(source, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            square.pixels[static_cast<std::size_t>(y * size + x)] = source.index(
                (2 * x + 1) * source.width / (2 * size), (2 * y + 1) * source.height / (2 * size));
        }
    }
    return square;
}

struct Box {
    int left = 0;
    int top = 0;
    int right = -1;  // inclusive; empty while left > right
    int bottom = -1;
};

// The bounding box of the eye white's pixels between columns `from` and `to`.
Box eyeWhite(const Picture& face, int from, int to) {
    Box box{to, face.height, from - 1, -1};
    for (int y = 0; y < face.height; ++y) {
        for (int x = from; x < to; ++x) {
            if (face.colour(x, y) == kWhite) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

// The face looking straight ahead: a pupil in the middle of each eye white, its palette added to
// the face's.
Picture lookingAhead(const Picture& face, const Picture& pupil) {
    Picture looking = face;
    const auto offset = static_cast<std::uint8_t>(looking.palette.size());
    looking.palette.insert(looking.palette.end(), pupil.palette.begin(), pupil.palette.end());
    looking.keys.insert(looking.keys.end(), pupil.keys.size(), '\0');
    for (const Box& white :
         {eyeWhite(face, 0, face.width / 2), eyeWhite(face, face.width / 2, face.width)}) {
        const int left = (white.left + white.right + 1 - pupil.width) / 2;
        const int top = (white.top + white.bottom + 1 - pupil.height) / 2;
        for (int y = 0; y < pupil.height; ++y) {
            for (int x = 0; x < pupil.width; ++x) {
                if (!pupil.isTransparent(x, y)) {
                    looking.pixels[static_cast<std::size_t>((top + y) * face.width + left + x)] =
                        static_cast<std::uint8_t>(offset + pupil.index(x, y));
                }
            }
        }
    }
    return looking;
}

}  // namespace

Picture iconImage(const Picture& face, const Picture& pupil, const Picture& icon, int size) {
    if (size >= face.width) {
        return centredAtScale(cutOutFace(lookingAhead(face, pupil)), size, size / face.width);
    }
    if (size >= icon.width) {
        return centredAtScale(icon, size, size / icon.width);
    }
    return sampledDown(icon, size);
}

}  // namespace zorvin::assets
