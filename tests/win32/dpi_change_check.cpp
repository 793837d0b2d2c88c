// A window moved to a monitor of another DPI scales again where it is (WM_DPICHANGED, which Wine
// itself never sends, so the check sends it): the face keeps its centre, or the point under the
// pointer while a button is held on it, and grows by its whole factor with its shape; the About box
// takes the place Windows suggests, at its size for the new DPI. Run under Wine on a display, at
// any DPI; the exit status is 0 when all holds, else 1 with the reasons.
#include <windows.h>

#include <array>
#include <cstdio>

#include "about/form2_layout.h"
#include "character/form1_layout.h"
#include "platform/common/form_session.h"
#include "platform/common/form_window.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"

namespace {

using zorvin::DpiScale;

class NoEvents final : public zorvin::FormEvents {
  public:
    void CaptionClose() override {}
};

int failures = 0;

void Expect(long got, long expected, const char* what) {
    if (got != expected) {
        std::fprintf(stderr, "dpi change check: %s is %ld, not %ld\n", what, got, expected);
        ++failures;
    }
}

RECT ClientOnScreen(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

void ChangeDpi(HWND hwnd, int dpi, RECT suggested) {
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

HWND HandleOf(zorvin::Window& window) {
    return static_cast<zorvin::win32::Win32Window&>(
               static_cast<zorvin::FormWindow&>(window).native())
        .handle();
}

// The face's centre stays; its client area and its shape grow by the new factor.
void FaceKeepsItsCentre(HWND face, int dpi, int newDpi) {
    const DpiScale before = DpiScale::WholeFactor(dpi);
    const DpiScale after = DpiScale::WholeFactor(newDpi);
    const zorvin::Size client = zorvin::kForm1Layout.client;
    const RECT was = ClientOnScreen(face);
    const POINT centre{was.left + before.ToDevice(client.width) / 2,
                       was.top + before.ToDevice(client.height) / 2};
    ChangeDpi(face, newDpi, {});
    const RECT is = ClientOnScreen(face);
    const zorvin::Point origin =
        zorvin::RescaledOrigin({was.left, was.top}, {centre.x, centre.y}, before, after);
    Expect(is.left, origin.x, "the face's left after the change");
    Expect(is.top, origin.y, "the face's top after the change");
    Expect(is.right - is.left, after.ToDevice(client.width), "the face's width");
    Expect(is.bottom - is.top, after.ToDevice(client.height), "the face's height");
    // The region was a rectangle from (10, 10) to (20, 30) of the client area.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(face, region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    RECT outer{};
    GetWindowRect(face, &outer);
    Expect(box.left + outer.left - is.left, after.ToDevice(10), "the shape's left");
    Expect(box.bottom + outer.top - is.top, after.ToDevice(30), "the shape's bottom");
}

// During a drag, the face point under the pointer stays under it.
void DraggedFaceKeepsThePointUnderThePointer(HWND face, int dpi, int newDpi) {
    const DpiScale before = DpiScale::WholeFactor(dpi);
    const DpiScale after = DpiScale::WholeFactor(newDpi);
    const RECT was = ClientOnScreen(face);
    const POINT grab{before.ToDevice(30), before.ToDevice(20)};
    SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
    SetCursorPos(was.left + grab.x, was.top + grab.y);
    ChangeDpi(face, newDpi, {});
    const RECT is = ClientOnScreen(face);
    SendMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(after.ToDevice(30), after.ToDevice(20)));
    Expect(is.left, was.left + grab.x - after.ToDevice(30), "the dragged face's left");
    Expect(is.top, was.top + grab.y - after.ToDevice(20), "the dragged face's top");
}

// The About box goes where Windows suggests, its client area the layout's at the new DPI.
void AboutBoxTakesTheSuggestedPlace(HWND about, int newDpi) {
    const DpiScale after = DpiScale::Proportional(newDpi);
    const zorvin::Size client = zorvin::kForm2Layout.client;
    ChangeDpi(about, newDpi, {100, 120, 100 + 600, 120 + 400});
    RECT outer{};
    GetWindowRect(about, &outer);
    const RECT is = ClientOnScreen(about);
    Expect(outer.left, 100, "the About box's left");
    Expect(outer.top, 120, "the About box's top");
    Expect(is.right - is.left, after.ToDevice(client.width), "the About box's client width");
    Expect(is.bottom - is.top, after.ToDevice(client.height), "the About box's client height");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace zorvin;
    FormSession<win32::Win32Platform> session(instance);
    Platform& platform = session.forms();
    NoEvents events;
    const auto face = platform.Load(kForm1Layout, events);
    const Point o = kForm1Layout.clientOrigin;
    const std::array<Point, 4> rectangle{
        {{o.x + 10, o.y + 10}, {o.x + 20, o.y + 10}, {o.x + 20, o.y + 30}, {o.x + 10, o.y + 30}}};
    platform.SetWindowRgn(face->hWnd(), platform.CreatePolygonRgn(rectangle.data(), 4, ALTERNATE),
                          true);
    const int dpi = win32::DpiOf(HandleOf(*face));
    FaceKeepsItsCentre(HandleOf(*face), dpi, 3 * dpi);
    DraggedFaceKeepsThePointUnderThePointer(HandleOf(*face), 3 * dpi, kStandardDpi);
    const auto about = platform.Load(kForm2Layout, events);
    AboutBoxTakesTheSuggestedPlace(HandleOf(*about), dpi + kStandardDpi / 2);
    return failures == 0 ? 0 : 1;
}
