#include "platform/qt/qt_artwork.h"

#include <QBitmap>
#include <QByteArray>
#include <QImage>

#include "assets/artwork.h"
#include "platform/qt/qt_values.h"

namespace zorvin::qt {
namespace {

QImage ArtworkImage(Artwork artwork) {
    const std::span<const std::uint8_t> file = artworkFile(artwork);
    QImage image;
    image.loadFromData(file.data(), static_cast<int>(file.size()));
    return image;
}

}  // namespace

QPixmap ArtworkPixmap(Artwork artwork) {
    QPixmap pixmap = QPixmap::fromImage(ArtworkImage(artwork));
    if (artwork == Artwork::Pupil) {
        pixmap.setMask(pixmap.createMaskFromColor(ToQColor(kPupilTransparentColour)));
    }
    return pixmap;
}

QIcon ArtworkIcon(Artwork artwork) {
    return QIcon(QPixmap::fromImage(ArtworkImage(artwork)));
}

QCursor PointerCursor(MousePointer pointer) {
    switch (pointer) {
        case MousePointer::Hand:
            return QCursor(QPixmap::fromImage(ArtworkImage(Artwork::HandPointer)), kHandHotSpot.x,
                           kHandHotSpot.y);
        case MousePointer::Default:
            break;
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace zorvin::qt
