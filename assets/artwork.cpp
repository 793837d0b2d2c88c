#include "assets/artwork.h"

#include "assets/artwork_data.h"

namespace zorvin {

std::span<const std::uint8_t> artworkFile(Artwork artwork) {
    switch (artwork) {
        case Artwork::Face:
            return artwork_data::face;
        case Artwork::Pupil:
            return artwork_data::pupil;
        case Artwork::Icon:
            return artwork_data::icon;
        case Artwork::HandPointer:
            return artwork_data::hand;
        case Artwork::None:
            break;
    }
    return {};
}

std::string_view artworkFileName(Artwork artwork) {
    switch (artwork) {
        case Artwork::Face:
            return "face.bmp";
        case Artwork::Pupil:
            return "pupil.bmp";
        case Artwork::Icon:
            return "zorvin.ico";
        case Artwork::HandPointer:
            return "hand.cur";
        case Artwork::None:
            break;
    }
    return {};
}

}  // namespace zorvin
