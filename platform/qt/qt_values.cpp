#include "platform/qt/qt_values.h"

#include <QFontDatabase>
#include <QString>

#include "platform/common/input_values.h"

namespace zorvin::qt {

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

Colour FromQColor(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

QFont ToQFont(const Font& font, double factor) {
    const QString family =
        QString::fromUtf8(font.name.data(), static_cast<qsizetype>(font.name.size()));
    QFont result = QFontDatabase::hasFamily(family)
                       ? QFont(family)
                       : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    result.setPointSizeF(static_cast<qreal>(font.points) * factor);
    result.setBold(font.bold);
    result.setUnderline(font.underline);
    return result;
}

std::int16_t ButtonOf(Qt::MouseButton button) {
    return ButtonsOf(button);
}

std::int16_t ButtonsOf(Qt::MouseButtons buttons) {
    return ButtonSum(buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
                     buttons.testFlag(Qt::MiddleButton));
}

std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers) {
    return ShiftSum(modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
                    modifiers.testFlag(Qt::AltModifier));
}

}  // namespace zorvin::qt
