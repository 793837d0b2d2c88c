#include "assets/generator/checks.h"

#include <sstream>
#include <string>

#include "assets/outline_fill.h"

namespace zorvin::assets {
namespace {

void requireSize(const Picture& picture, int width, int height) {
    if (picture.width != width || picture.height != height) {
        reject(picture.name, "must be " + std::to_string(width) + " x " + std::to_string(height));
    }
}

}  // namespace

void checkFace(const Picture& face) {
    requireSize(face, zorvin::face_outline::kWidth, zorvin::face_outline::kHeight);
    if (face.transparent || face.hotSpot) {
        reject(face.name, "the face has neither transparent pixels nor a hot spot");
    }
    // The window shows exactly the outline's pixels: all of them must be face, all others black.
    // A stream, not string concatenation: g++ 12 at -O3 warns falsely about the latter.
    std::ostringstream wrong;
    int wrongCount = 0;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            const bool inside = zorvin::face_outline::containsPixel(x, y);
            if (inside == (face.colour(x, y) == kBlack)) {
                if (++wrongCount <= 8) {
                    wrong << " (" << x << ", " << y << ")"
                          << (inside ? " is black" : " is not black");
                }
            }
        }
    }
    if (wrongCount > 0) {
        reject(face.name, "does not fill the window outline exactly; " +
                              std::to_string(wrongCount) + " pixels are wrong:" + wrong.str());
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

}  // namespace zorvin::assets
