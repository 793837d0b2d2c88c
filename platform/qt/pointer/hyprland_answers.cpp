#include "platform/qt/pointer/hyprland_answers.h"

#include <cmath>
#include <utility>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace zorvin::qt {
namespace {

// Coordinates far beyond any desktop's, and what is no number at all, are malformed; the rest
// fits an int and its sums with others.
std::optional<int> Whole(double number) {
    if (!(std::abs(number) < 1e7)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(number));
}

std::optional<int> Whole(const QJsonValue& value) {
    return Whole(value.toDouble(std::nan("")));
}

}  // namespace

std::optional<QPoint> HyprlandCursor(const QByteArray& answer) {
    const QJsonObject cursor = QJsonDocument::fromJson(answer).object();
    const auto x = Whole(cursor.value(u"x"));
    const auto y = Whole(cursor.value(u"y"));
    if (!x || !y) {
        return std::nullopt;
    }
    return QPoint(*x, *y);
}

std::vector<NamedRect> HyprlandMonitors(const QByteArray& answer) {
    std::vector<NamedRect> monitors;
    for (const QJsonValue& entry : QJsonDocument::fromJson(answer).array()) {
        const QJsonObject monitor = entry.toObject();
        const auto x = Whole(monitor.value(u"x"));
        const auto y = Whole(monitor.value(u"y"));
        auto across = Whole(monitor.value(u"width"));
        auto down = Whole(monitor.value(u"height"));
        const double scale = monitor.value(u"scale").toDouble();
        if (!x || !y || !across || !down || !(scale > 0)) {
            continue;
        }
        // Turned a quarter (with or without a flip), a monitor shows its mode on its side.
        if (monitor.value(u"transform").toInt() % 2 != 0) {
            std::swap(across, down);
        }
        const auto width = Whole(*across / scale);
        const auto height = Whole(*down / scale);
        if (width && height && *width > 0 && *height > 0) {
            monitors.push_back({monitor.value(u"name").toString(), QRect(*x, *y, *width, *height)});
        }
    }
    return monitors;
}

}  // namespace zorvin::qt
