#include "platform/qt/pointer/compositor_report.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace zorvin::qt {
namespace {

// A pixel of the output stays on the screen that shows it: at a ratio of ½ or less, rounding to
// the nearest would carry the last column and row onto the next screen.
int Scale(int offset, int to, int from) {
    if (from <= 0 || to == from) {
        return offset;
    }
    const int scaled = static_cast<int>(std::lround(static_cast<double>(offset) * to / from));
    return offset >= 0 && offset < from ? std::min(scaled, to - 1) : scaled;
}

QPoint Map(QPoint point, const QRect& from, const QRect& to) {
    return {to.x() + Scale(point.x() - from.x(), to.width(), from.width()),
            to.y() + Scale(point.y() - from.y(), to.height(), from.height())};
}

QRect Bounds(const std::vector<NamedRect>& rects) {
    QRect bounds;
    for (const NamedRect& rect : rects) {
        bounds |= rect.rect;
    }
    return bounds;
}

// The output the point is on; a point off every output (on its way between two) counts as on the
// nearest.
std::size_t OutputAt(QPoint point, const std::vector<NamedRect>& outputs) {
    const auto distance = [point](const QRect& rect) {
        const int dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
        const int dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
        return static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
    };
    const auto nearest = std::min_element(outputs.begin(), outputs.end(),
                                          [&](const NamedRect& a, const NamedRect& b) {
                                              return distance(a.rect) < distance(b.rect);
                                          });
    return static_cast<std::size_t>(nearest - outputs.begin());
}

// Where `index` stands among `rects` ordered left to right, then top to bottom.
std::size_t Rank(std::size_t index, const std::vector<NamedRect>& rects) {
    const QRect& rect = rects[index].rect;
    return static_cast<std::size_t>(
        std::count_if(rects.begin(), rects.end(), [&rect](const NamedRect& other) {
            return other.rect.x() < rect.x() ||
                   (other.rect.x() == rect.x() && other.rect.y() < rect.y());
        }));
}

std::optional<std::size_t> ScreenFor(std::size_t output, const std::vector<NamedRect>& outputs,
                                     const std::vector<NamedRect>& screens) {
    const QString& name = outputs[output].name;
    if (!name.isEmpty()) {
        const auto named = std::find_if(screens.begin(), screens.end(),
                                        [&name](const NamedRect& s) { return s.name == name; });
        if (named != screens.end()) {
            return static_cast<std::size_t>(named - screens.begin());
        }
    }
    if (screens.size() != outputs.size()) {
        return std::nullopt;
    }
    const std::size_t rank = Rank(output, outputs);
    for (std::size_t screen = 0; screen < screens.size(); ++screen) {
        if (Rank(screen, screens) == rank) {
            return screen;
        }
    }
    return std::nullopt;
}

}  // namespace

QPoint ToDesktop(QPoint logical, const std::vector<NamedRect>& outputs,
                 const std::vector<NamedRect>& screens) {
    if (outputs.empty() || screens.empty()) {
        return logical;
    }
    const std::size_t output = OutputAt(logical, outputs);
    if (const auto screen = ScreenFor(output, outputs, screens)) {
        return Map(logical, outputs[output].rect, screens[*screen].rect);
    }
    return Map(logical, Bounds(outputs), Bounds(screens));
}

std::optional<QPoint> BufferToLogical(QPoint buffer, const OutputPixels& output) {
    const QSize pixels = output.turned ? output.mode.transposed() : output.mode;
    if (pixels.isEmpty() || output.logical.isEmpty()) {
        return std::nullopt;
    }
    // Rounded down, also left of and above the output, so that each logical pixel holds all the
    // buffer pixels it shows.
    const auto floorScaled = [](int value, int to, int from) {
        const long long scaled = static_cast<long long>(value) * to;
        return static_cast<int>(scaled >= 0 ? scaled / from : -((-scaled + from - 1) / from));
    };
    return output.logical.topLeft() +
           QPoint(floorScaled(buffer.x(), output.logical.width(), pixels.width()),
                  floorScaled(buffer.y(), output.logical.height(), pixels.height()));
}

std::vector<NamedRect> ParseOutputs(const QString& text) {
    std::vector<NamedRect> outputs;
    for (const QString& output : text.split(u';', Qt::SkipEmptyParts)) {
        const QStringList fields = output.split(u',');
        if (fields.size() == 5) {
            outputs.push_back({fields[0], QRect(fields[1].toInt(), fields[2].toInt(),
                                                fields[3].toInt(), fields[4].toInt())});
        }
    }
    return outputs;
}

QString ReportCallInterface(const QString& interface) {
    return QStringLiteral(R"(<interface name="%1"><method name="Moved">)"
                          R"(<arg name="x" type="i" direction="in"/>)"
                          R"(<arg name="y" type="i" direction="in"/>)"
                          R"(<arg name="outputs" type="s" direction="in"/>)"
                          R"(</method></interface>)")
        .arg(interface);
}

bool IsReportCall(const QString& member, const QString& signature) {
    return member == QStringLiteral("Moved") && signature == QStringLiteral("iis");
}

CompositorReport ReportOf(const QVariantList& arguments) {
    return {QPoint(arguments[0].toInt(), arguments[1].toInt()),
            ParseOutputs(arguments[2].toString())};
}

std::vector<NamedRect> ProgramScreens() {
    std::vector<NamedRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back({screen->name(), screen->geometry()});
    }
    return screens;
}

}  // namespace zorvin::qt
