#include "platform/qt/qt_artwork.h"

#include <QBitmap>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

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
    // Every size the file holds, so that the desktop never scales the pixel art itself.
    const std::span<const std::uint8_t> file = artworkFile(artwork);
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                               static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QIcon icon;
    do {
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    } while (reader.jumpToNextImage());
    return icon;
}

QCursor PointerCursor(MousePointer pointer, const DpiScale& scale) {
    switch (pointer) {
        case MousePointer::Hand: {
            const QImage hand = ArtworkImage(Artwork::HandPointer);
            return QCursor(QPixmap::fromImage(hand.scaled(scale.ToDevice(hand.width()),
                                                          scale.ToDevice(hand.height()))),
                           scale.ToDevice(kHandHotSpot.x), scale.ToDevice(kHandHotSpot.y));
        }
        case MousePointer::Default:
            break;
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace zorvin::qt
