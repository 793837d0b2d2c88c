#include "platform/qt/own_scaling.h"

#include <cstdio>

#include <QApplication>
#include <QFont>
#include <QScreen>

#include "platform/dpi_scale/dpi_scale.h"

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

// A factor Qt would not take (not a number) is no factor, as for Qt. One that the windows cannot
// be scaled by (infinite, below 1 or above 8) is taken within what they can, and the user told.
OwnScaling::OwnScaling() {
    if (scaleFactor_.value) {
        bool number = false;
        const double factor = scaleFactor_.value->toDouble(&number);
        userFactor_ = number ? SaneScaleFactor(factor) : 1;
        if (number && userFactor_ != factor) {
            std::fprintf(stderr, "zorvin: QT_SCALE_FACTOR=%s is out of range; taken as %g\n",
                         scaleFactor_.value->constData(), userFactor_);
            std::fflush(stderr);
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
    return SaneDpi(screen.logicalDotsPerInch() * userFactor_);
}

}  // namespace zorvin::qt
