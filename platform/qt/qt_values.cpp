#include "platform/qt/qt_values.h"

#include <QFontDatabase>
#include <QString>

namespace zorvin::qt {

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

Colour FromQColor(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

QFont ToQFont(const Font& font) {
    const QString family =
        QString::fromUtf8(font.name.data(), static_cast<qsizetype>(font.name.size()));
    QFont result = QFontDatabase::hasFamily(family)
                       ? QFont(family)
                       : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    result.setPointSizeF(static_cast<qreal>(font.points));
    result.setBold(font.bold);
    result.setUnderline(font.underline);
    return result;
}

std::int16_t ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return vbLeftButton;
        case Qt::RightButton:
            return vbRightButton;
        case Qt::MiddleButton:
            return vbMiddleButton;
        default:
            return 0;
    }
}

std::int16_t ButtonsOf(Qt::MouseButtons buttons) {
    std::int16_t sum = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(button)) {
            sum = static_cast<std::int16_t>(sum + ButtonOf(button));
        }
    }
    return sum;
}

std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers) {
    std::int16_t sum = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        sum |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        sum |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        sum |= 4;
    }
    return sum;
}

}  // namespace zorvin::qt
