// Figures for the end-to-end tests to compare the screen with, worked out by the program's own
// code rather than again by the tests: its layouts and its scaling, and the pupils as the character
// places them on the in-memory window system. Device pixels at DPI, one figure a line:
//   zorvin_figures pupils DPI [X Y]  "LEFT_X LEFT_Y RIGHT_X RIGHT_Y", the pupils' top-left pixels
//                                    in the face's own pixels, for the pointer at device pixel
//                                    (X, Y) of the face's client area; without X Y, at the start
//   zorvin_figures window FORM DPI   "client WIDTH HEIGHT", then "NAME LEFT TOP RIGHT BOTTOM" for
//                                    each control of FORM (Form1 or Form2) that has a size
//   zorvin_figures face              "eye X Y" for the left eye's centre, then the right's, and
//                                    "outline X,Y X,Y ...": the face's geometry in client pixels
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "about/form2_layout.h"
#include "character/face_geometry.h"
#include "character/form1_layout.h"
#include "platform/common/form_session.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/headless/headless_platform.h"
#include "program/program.h"

namespace {

using namespace zorvin;

void PrintPupils(int dpi, char** pointer) {
    FormSession<headless::HeadlessPlatform> session(dpi);
    headless::HeadlessPlatform& platform = session.system();
    Program program{session.forms()};
    program.Start();
    headless::HeadlessWindow& face = *platform.window(kForm1Layout.name);
    if (pointer) {
        const Point origin = face.clientOrigin();
        platform.setCursor({origin.x + std::atoi(pointer[0]), origin.y + std::atoi(pointer[1])});
        platform.tick();
    }
    const DpiScale scale = DpiScale::Of(kForm1Layout.dpiScaling, dpi);
    for (const std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
        const Point at = face.shownPicture({form1_names::Eye, index}).shownAt();
        std::printf("%d %d%c", scale.ToFormPixel(at.x), scale.ToFormPixel(at.y),
                    index == 0 ? ' ' : '\n');
    }
}

void PrintWindow(const FormLayout& form, int dpi) {
    const DpiScale scale = DpiScale::Of(form.dpiScaling, dpi);
    std::printf("client %d %d\n", scale.ToDevice(form.client.width),
                scale.ToDevice(form.client.height));
    for (const ControlLayout& control : form.controls) {
        if (control.width == 0) {
            continue;
        }
        const Rect rect = scale.ToDevice(Rect{
            control.left, control.top, control.left + control.width, control.top + control.height});
        std::string name(control.name);
        if (control.index >= 0) {
            name += std::to_string(control.index);
        }
        std::printf("%s %d %d %d %d\n", name.c_str(), rect.left, rect.top, rect.right, rect.bottom);
    }
}

void PrintFace() {
    for (const EyeGeometry& eye : {kLeftEyeGeometry, kRightEyeGeometry}) {
        std::printf("eye %d %d\n", eye.CenterX, eye.CenterY);
    }
    std::printf("outline");
    for (const Point& corner : kFaceOutline) {
        std::printf(" %d,%d", corner.x - kFaceOutlineClientOrigin.x,
                    corner.y - kFaceOutlineClientOrigin.y);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view figure = argc > 1 ? argv[1] : "";
    if (figure == "face" && argc == 2) {
        PrintFace();
        return 0;
    }
    if (figure == "pupils" && (argc == 3 || argc == 5)) {
        PrintPupils(std::atoi(argv[2]), argc == 5 ? argv + 3 : nullptr);
        return 0;
    }
    if (figure == "window" && argc == 4) {
        const std::string_view form = argv[2];
        PrintWindow(form == kForm1Layout.name ? kForm1Layout : kForm2Layout, std::atoi(argv[3]));
        return 0;
    }
    std::fprintf(stderr, "usage: zorvin_figures pupils DPI [X Y] | window FORM DPI | face\n");
    return 2;
}
