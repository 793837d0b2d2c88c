// Each window scales itself, in device pixels, by the rule for its kind (platform/dpi_scale): the
// face by a whole factor, the About box by the desktop's own. Qt would scale every window by one
// real factor, 1.5 at 150 %, where the face's pixels come out one device pixel wide here and two
// there, and its shape with them; Qt has no scale of a window's own. So Qt's scaling is turned off
// while Qt starts, and what it would have scaled by is worked out here: Qt's logical DPI of the
// screen (Xft.dpi, as the desktop sets it) times the user's QT_SCALE_FACTOR.
#pragma once

#include <optional>

#include <QByteArray>

class QScreen;

namespace zorvin::qt {

class OwnScaling {
  public:
    // Before the application object is made: Qt's scaling variables as Qt is to see them.
    OwnScaling();
    OwnScaling(const OwnScaling&) = delete;
    OwnScaling& operator=(const OwnScaling&) = delete;

    // Once the application object is made: the variables as the user set them, for the programs
    // Zorvin opens, and Qt's default font, which menus and buttons take, grown by the user's factor
    // as Qt would have grown it.
    void QtStarted();

    // QT_SCALE_FACTOR within what the windows can be scaled by (SaneScaleFactor), or 1.
    double userFactor() const { return userFactor_; }
    // The DPI the desktop asks of windows on `screen`, as the windows take it (SaneDpi).
    int DpiOf(const QScreen& screen) const;

  private:
    // An environment variable as the user set it, or not.
    struct Variable {
        explicit Variable(const char* name);
        void Set(const std::optional<QByteArray>& value) const;
        void Restore() const { Set(value); }

        const char* name;
        std::optional<QByteArray> value;
    };

    // Qt's scaling is turned off; the user's factor, and the screens' factors (Plasma sets them
    // besides Xft.dpi), are hidden, as Qt would scale by them even so.
    const Variable enableScaling_{"QT_ENABLE_HIGHDPI_SCALING"};
    const Variable scaleFactor_{"QT_SCALE_FACTOR"};
    const Variable screenFactors_{"QT_SCREEN_SCALE_FACTORS"};
    double userFactor_ = 1;
};

}  // namespace zorvin::qt
