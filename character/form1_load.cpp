// Start-up: the window takes the outline of the face as its shape and the stacking the menu's
// check mark asks for, and the eyes get their geometry.
#include "character/form1.h"
#include "platform/stacking.h"
#include "platform/system_values.h"
#include "program/program.h"

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
    LeftEye = {21, 32, 5, 3};
    RightEye = {71, 32, 5, 3};
}

// The face's outline in window coordinates, drawn for a client area that begins at (3, 22). The
// repeated points (1 and 2, 0 and 37) are part of the table: the last closes the outline
// explicitly.
void Form1::InitOutline() {
    Outline = {{{6, 57},  {6, 43},  {6, 43},  {14, 30}, {18, 27}, {24, 26}, {28, 25}, {34, 24},
                {42, 24}, {47, 26}, {54, 26}, {56, 25}, {64, 24}, {69, 24}, {78, 27}, {83, 31},
                {88, 42}, {90, 49}, {91, 52}, {91, 58}, {88, 63}, {86, 65}, {85, 67}, {82, 69},
                {78, 71}, {70, 79}, {68, 80}, {63, 83}, {58, 86}, {53, 87}, {46, 87}, {35, 83},
                {27, 77}, {23, 73}, {18, 71}, {10, 64}, {7, 60},  {6, 57}}};
}

}  // namespace zorvin
