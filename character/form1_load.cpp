// Start-up: the window takes the outline of the face as its shape and the stacking the menu's
// check mark asks for, and the eyes get their geometry.
#include "character/face_geometry.h"
#include "character/form1.h"
#include "form/stacking.h"
#include "platform/api/system_values.h"

namespace zorvin {

void Form1::Form_Load() {
    InitOutline();
    SystemApi& system = program_.platform();
    const Hwnd hwnd = window_->hWnd();
    // The window system owns the region once it is set; nothing here keeps or frees it.
    const Hrgn region = system.CreatePolygonRgn(
        Outline.data(), static_cast<std::int32_t>(Outline.size()), ALTERNATE);
    system.SetWindowRgn(hwnd, region, true);
    SetTopmost(system, hwnd, mAlwaysOnTop.Checked());
    LeftEye = kLeftEyeGeometry;
    RightEye = kRightEyeGeometry;
    // The pupils start at their design places, which a first tick keeps unless something moved.
    LastLeft = window_->Left();
    LastTop = window_->Top();
}

// The face's outline in window coordinates, drawn for the layout's client origin.
void Form1::InitOutline() {
    Outline = kFaceOutline;
}

}  // namespace zorvin
