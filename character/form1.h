// The character window: a face-shaped window whose pupils follow the cursor, dragged with the left
// button, with a context menu on the right button.
#pragma once

#include <array>
#include <cstdint>

#include "character/eye_geometry.h"
#include "form/form.h"
#include "platform/api/form_runtime.h"
#include "platform/api/types.h"

namespace zorvin {

class Form1 final : public Form {
  public:
    // Builds the window, hidden; the program then runs Form_Load and shows it.
    explicit Form1(FormHost& program);

    // The check mark is the only record of stay-on-top.
    MenuItem& mAlwaysOnTop;

    // Start-up: form1_load.cpp
    void Form_Load();
    // Pupil tracking: pupil_tracking.cpp
    void Timer1_Timer();
    // Dragging, and the right press that opens the menu: dragging.cpp
    void Image1_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Image1_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Image1_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // Menu commands: context_menu.cpp
    void mAlwaysOnTop_Click();
    void mAbout_Click();
    void mExit_Click();

    // The window's events, routed to the handlers above: form1.cpp
    void MouseDown(ControlId control, const MouseArgs& args) override;
    void MouseMove(ControlId control, const MouseArgs& args) override;
    void MouseUp(ControlId control, const MouseArgs& args) override;
    void Click(ControlId control) override;
    void Timer(ControlId control) override;

  private:
    // The interval is the drag state: 100 while idle, 0 while dragging.
    zorvin::Timer& Timer1;
    std::array<PictureBox*, 2> Eye;

    void InitOutline();
    void MovePupil(float Index, const EyeGeometry& Geometry, float X, float Y);

    // The window's shape, in window coordinates.
    std::array<Point, 38> Outline{};
    EyeGeometry LeftEye{};
    EyeGeometry RightEye{};
    // The grab point of a drag, in client pixels.
    float DragX = 0;
    float DragY = 0;
    // The last cursor position seen, in screen pixels, and the window's place when it was seen.
    Point LastCursor{};
    float LastLeft = 0;
    float LastTop = 0;
};

}  // namespace zorvin
