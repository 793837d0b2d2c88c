// The pointer as a Wayland compositor reports it, in the compositor's logical coordinates, mapped
// to the coordinates the program's windows live in (X11's, through XWayland, and Qt's scaling).
#pragma once

#include <optional>
#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariantList>

namespace zorvin::qt {

// A compositor's output in its logical coordinates, or one of the program's screens in its own;
// the name is the output's ("DP-1"), empty where the system tells none.
struct NamedRect {
    QString name;
    QRect rect;
};

// The pointer at `logical` on the output of `outputs` it is on, mapped onto the program's screen
// that shows that output: the one of the same name, else the one in the same place when the
// screens are ordered as the outputs are (left to right, then top to bottom). Each output maps
// onto its own screen, so every way a compositor presents X11 programs is covered: scaled by the
// compositor (X11 sees logical pixels), scaling themselves (X11 sees physical pixels, which Qt may
// scale back), outputs of different scales, and origins anywhere. When the screens cannot be told
// apart (their number differs from the outputs'), the whole desktop maps onto the whole desktop.
QPoint ToDesktop(QPoint logical, const std::vector<NamedRect>& outputs,
                 const std::vector<NamedRect>& screens);

// An output as a Wayland compositor describes it: where it lies in logical pixels, and its mode in
// buffer pixels, before its transform; `turned` for a transform of 90° or 270°, where the buffer's
// width is the mode's height.
struct OutputPixels {
    QRect logical;
    QSize mode;
    bool turned = false;
};

// The logical pixel that holds the output's transformed buffer pixel `buffer` (which may lie off
// the output), whatever the scale, fractional ones included; nothing for an output not described
// yet.
std::optional<QPoint> BufferToLogical(QPoint buffer, const OutputPixels& output);

// What a compositor's helper reports with each move: the pointer and the compositor's outputs,
// all in its logical pixels.
struct CompositorReport {
    QPoint pointer;
    std::vector<NamedRect> outputs;
};

// The outputs as the compositors' helpers write them: "name,x,y,width,height" each, separated by
// ";", the name empty where the compositor tells none. Malformed entries are left out.
std::vector<NamedRect> ParseOutputs(const QString& text);

// The call by which a compositor's helper reports a move to the program: Moved(x, y, outputs),
// the outputs written as above. Its introspection data, for the object the program exports under
// `interface`, and whether a call's member and signature are this call's.
QString ReportCallInterface(const QString& interface);
bool IsReportCall(const QString& member, const QString& signature);
// The report such a call carries.
CompositorReport ReportOf(const QVariantList& arguments);

// The program's screens, as Qt shows them.
std::vector<NamedRect> ProgramScreens();

}  // namespace zorvin::qt
