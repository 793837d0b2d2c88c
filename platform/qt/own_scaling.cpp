#include "platform/qt/own_scaling.h"

#include <cmath>

#include <QApplication>
#include <QFont>
#include <QScreen>

namespace zorvin::qt {

OwnScaling::Variable::Variable(const char* variable) : name(variable) {
    if (qEnvironmentVariableIsSet(variable)) {
        value = qgetenv(variable);
    }
}

void OwnScaling::Variable::Set(const std::optional<QByteArray>& to) const {
    if (to) {
        qputenv(name, *to);
    } else {
        qunsetenv(name);
    }
}

// A factor Qt would not take (not a number, or not above 0) is no factor, as for Qt.
OwnScaling::OwnScaling() {
    if (scaleFactor_.value) {
        bool number = false;
        const double factor = scaleFactor_.value->toDouble(&number);
        if (number && factor > 0) {
            userFactor_ = factor;
        }
    }
    enableScaling_.Set(QByteArray("0"));
    scaleFactor_.Set(std::nullopt);
    screenFactors_.Set(std::nullopt);
}

void OwnScaling::QtStarted() {
    enableScaling_.Restore();
    scaleFactor_.Restore();
    screenFactors_.Restore();
    QFont font = QApplication::font();
    if (userFactor_ != 1 && font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * userFactor_);
        QApplication::setFont(font);
    }
}

// With its own scaling off, Qt's logical DPI is the desktop's setting itself.
int OwnScaling::DpiOf(const QScreen& screen) const {
    return static_cast<int>(std::lround(screen.logicalDotsPerInch() * userFactor_));
}

}  // namespace zorvin::qt
