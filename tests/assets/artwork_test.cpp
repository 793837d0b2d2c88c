// The pictures as the program gets them from zorvin_assets, read back with the tests' own reader.
#include "assets/artwork.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "assets/outline_fill.h"
#include "windows_images.h"

namespace {

using zorvin::Artwork;
using zorvin::test::Image;
using zorvin::test::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

int luma(Rgb c) {
    return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
}

// The pixels 4-connected to (x0, y0) through pixels for which `member` holds.
template <typename Member>
std::set<std::pair<int, int>> region(const Image& image, int x0, int y0, Member member) {
    std::set<std::pair<int, int>> found;
    std::vector<std::pair<int, int>> todo{{x0, y0}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x >= 0 && y >= 0 && x < image.width && y < image.height && !found.contains({x, y}) &&
            member(x, y)) {
            found.insert({x, y});
            todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
    }
    return found;
}

int countWhere(const Image& image, auto predicate) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            count += predicate(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(Artwork, EachPictureHasItsOwnFile) {
    EXPECT_EQ(zorvin::artworkFileName(Artwork::Face), "face.bmp");
    EXPECT_EQ(zorvin::artworkFileName(Artwork::Pupil), "pupil.bmp");
    EXPECT_EQ(zorvin::artworkFileName(Artwork::Icon), "zorvin.ico");
    EXPECT_EQ(zorvin::artworkFileName(Artwork::HandPointer), "hand.cur");
    EXPECT_TRUE(zorvin::artworkFileName(Artwork::None).empty());
    EXPECT_TRUE(zorvin::artworkFile(Artwork::None).empty());
    // The bytes behind each name are that kind of file, so no two are swapped.
    EXPECT_EQ(zorvin::test::readBitmapFile(zorvin::artworkFile(Artwork::Face)).width, 89);
    EXPECT_EQ(zorvin::test::readBitmapFile(zorvin::artworkFile(Artwork::Pupil)).width, 7);
    EXPECT_EQ(zorvin::test::readIconFile(zorvin::artworkFile(Artwork::Icon)).type, 1);
    EXPECT_EQ(zorvin::test::readIconFile(zorvin::artworkFile(Artwork::HandPointer)).type, 2);
}

class Face : public testing::Test {
  protected:
    const Image face = zorvin::test::readBitmapFile(zorvin::artworkFile(Artwork::Face));
};

TEST_F(Face, IsAnEightBitBottomUpBitmapWithAFullPalette) {
    EXPECT_EQ(face.width, 89);
    EXPECT_EQ(face.height, 66);
    EXPECT_EQ(face.storedHeight, 66);
    EXPECT_EQ(face.bitsPerPixel, 8);
    EXPECT_EQ(face.palette.size(), 256u);
}

TEST_F(Face, FillsTheWindowOutlineExactly) {
    const int wrong = countWhere(face, [&](int x, int y) {
        const bool inside = zorvin::face_outline::containsPixel(x, y);
        if (inside != (face.colour(x, y) == kBlack)) {
            return false;
        }
        ADD_FAILURE() << x << ", " << y << (inside ? " is black inside" : " is not black outside");
        return true;
    });
    EXPECT_EQ(wrong, 0);
}

TEST_F(Face, EyeSocketsAreWhiteOvalsFillingTheirSpans) {
    constexpr int kTop = 28;
    constexpr int kBottom = 34;
    constexpr int kCentreY = 32;
    // How far each row of a socket is rounded off at both ends, top to bottom: the eye centre's
    // row and column are white across the whole spans.
    constexpr std::array kInset{2, 1, 0, 0, 0, 1, 2};
    struct Socket {
        int left, right, centreX;
    };
    for (const Socket s : {Socket{16, 25, 21}, Socket{65, 75, 71}}) {
        for (int y = kTop; y <= kBottom; ++y) {
            const int inset = kInset[static_cast<std::size_t>(y - kTop)];
            for (int x = s.left - 1; x <= s.right + 1; ++x) {
                const bool white = x >= s.left + inset && x <= s.right - inset;
                EXPECT_EQ(face.colour(x, y) == kWhite, white) << x << ", " << y;
            }
        }
        // Nothing white joins the socket from outside its span.
        const auto white = region(face, s.centreX, kCentreY,
                                  [&](int x, int y) { return face.colour(x, y) == kWhite; });
        for (const auto& [x, y] : white) {
            EXPECT_TRUE(x >= s.left && x <= s.right && y >= kTop && y <= kBottom) << x << ", " << y;
        }
    }
}

TEST(Pupil, IsASmallBitmapOfFewColoursKeyedOnlyAtItsCornersAndBottomRow) {
    const Image pupil = zorvin::test::readBitmapFile(zorvin::artworkFile(Artwork::Pupil));
    ASSERT_EQ(pupil.width, 7);
    ASSERT_EQ(pupil.height, 8);
    EXPECT_EQ(pupil.bitsPerPixel, 8);
    EXPECT_LE(std::set(pupil.indices.begin(), pupil.indices.end()).size(), 64u);

    const std::set<std::pair<int, int>> corners{{0, 0}, {6, 0}, {0, 6}, {6, 6}};
    Rgb brightest = pupil.colour(3, 3);
    for (int y = 0; y < pupil.height; ++y) {
        for (int x = 0; x < pupil.width; ++x) {
            const Rgb c = pupil.colour(x, y);
            const zorvin::Colour bgr = zorvin::Colour{c.b} << 16 | zorvin::Colour{c.g} << 8 | c.r;
            const bool keyed = bgr == zorvin::kPupilTransparentColour;
            EXPECT_EQ(keyed, y == 7 || corners.contains({x, y})) << x << ", " << y;
            // The highlight sits up and to the left of the middle.
            if (!keyed && luma(c) > luma(brightest)) {
                brightest = c;
                EXPECT_TRUE(x < 3 && y < 3) << x << ", " << y;
            }
        }
    }
    EXPECT_LT(luma(pupil.colour(3, 3)), 64);
    EXPECT_GT(luma(brightest), 200);
}

Image iconImage(std::size_t index) {
    return zorvin::test::readIconFile(zorvin::artworkFile(Artwork::Icon), index);
}

TEST(Icon, HoldsEverySizeADesktopAsksFor) {
    const std::vector<int> sizes{16, 24, 32, 48, 64, 256};
    ASSERT_EQ(iconImage(0).imageCount, sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const Image image = iconImage(i);
        EXPECT_EQ(image.entryWidth, sizes[i]);
        EXPECT_EQ(image.entryHeight, sizes[i]);
        EXPECT_EQ(image.width, sizes[i]);
        EXPECT_EQ(image.height, sizes[i]);
        // Windows reads the largest image as PNG; the others are 256-colour bitmaps.
        EXPECT_EQ(image.png, sizes[i] == 256) << sizes[i];
        if (!image.png) {
            EXPECT_EQ(image.storedHeight, 2 * sizes[i]);
            EXPECT_EQ(image.bitsPerPixel, 8);
            EXPECT_EQ(image.palette.size(), 256u);
        }
    }
}

TEST(Icon, EachBitmapIsOneSolidFaceOnATransparentGround) {
    for (std::size_t i = 0; i < 5; ++i) {
        const Image icon = iconImage(i);
        const int size = icon.width;
        // Drawn at 32 with a clear margin; sampled down, the face may reach the edge.
        for (int j = 0; j < size && size >= 32; ++j) {
            EXPECT_TRUE(icon.transparent(j, 0) && icon.transparent(j, size - 1))
                << size << " " << j;
            EXPECT_TRUE(icon.transparent(0, j) && icon.transparent(size - 1, j))
                << size << " " << j;
        }
        // Under the mask the colour must be black, or it tints the desktop.
        EXPECT_EQ(countWhere(icon,
                             [&](int x, int y) {
                                 return icon.transparent(x, y) && icon.colour(x, y) != kBlack;
                             }),
                  0);
        // The face is one piece with no holes: the ground and the face are each connected.
        const int hidden = countWhere(icon, [&](int x, int y) { return icon.transparent(x, y); });
        const auto face =
            region(icon, size / 2, size / 2, [&](int x, int y) { return !icon.transparent(x, y); });
        EXPECT_EQ(face.size(), static_cast<std::size_t>(size * size - hidden)) << size;
        EXPECT_GT(face.size(), static_cast<std::size_t>(size * size / 4)) << size;
        EXPECT_EQ(region(icon, 0, 0, [&](int x, int y) { return icon.transparent(x, y); }).size(),
                  static_cast<std::size_t>(hidden))
            << size;
    }
}

TEST(Icon, LargerBitmapsAreTheSmallIconInWholePixelBlocks) {
    const Image small = iconImage(2);
    ASSERT_EQ(small.width, 32);
    const Image centred = iconImage(3);  // 48: the 32 one, centred
    const Image doubled = iconImage(4);  // 64: each pixel a 2 x 2 block
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(centred.transparent(x + 8, y + 8), small.transparent(x, y));
            EXPECT_EQ(centred.colour(x + 8, y + 8), small.colour(x, y));
            for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
                EXPECT_EQ(doubled.transparent(2 * x + dx, 2 * y + dy), small.transparent(x, y));
                EXPECT_EQ(doubled.colour(2 * x + dx, 2 * y + dy), small.colour(x, y));
            }
        }
    }
}

TEST(Hand, IsATwoColourCursorPointingWithItsHotSpot) {
    const Image hand = zorvin::test::readIconFile(zorvin::artworkFile(Artwork::HandPointer));
    EXPECT_EQ(hand.imageCount, 1);
    EXPECT_EQ(hand.entryWidth, 32);
    EXPECT_EQ(hand.entryHeight, 32);
    ASSERT_EQ(hand.width, 32);
    ASSERT_EQ(hand.height, 32);
    EXPECT_EQ(hand.bitsPerPixel, 1);
    EXPECT_EQ(hand.palette, (std::vector<Rgb>{kBlack, kWhite}));
    EXPECT_EQ(zorvin::kHandHotSpot, (zorvin::Point{5, 1}));
    const auto [hotX, hotY] = zorvin::kHandHotSpot;
    EXPECT_EQ(hand.hotX, hotX);
    EXPECT_EQ(hand.hotY, hotY);

    // The hot spot is the fingertip: visible, nothing above it, the finger below it.
    for (int x = 0; x < 32; ++x) {
        EXPECT_TRUE(hand.transparent(x, hotY - 1)) << x;
    }
    for (int y = hotY; y < hotY + 8; ++y) {
        EXPECT_FALSE(hand.transparent(hotX, y)) << y;
    }
    // One black and white piece; under the mask white would invert the screen.
    EXPECT_EQ(
        countWhere(hand, [&](int x, int y) { return hand.transparent(x, y) && hand.index(x, y); }),
        0);
    const int visible = countWhere(hand, [&](int x, int y) { return !hand.transparent(x, y); });
    EXPECT_EQ(
        region(hand, hotX, hotY, [&](int x, int y) { return !hand.transparent(x, y); }).size(),
        static_cast<std::size_t>(visible));
    EXPECT_GT(
        countWhere(hand, [&](int x, int y) { return !hand.transparent(x, y) && hand.index(x, y); }),
        50);
}

}  // namespace
