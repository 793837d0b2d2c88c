// How a window's pixels, as its form's layout gives them, land on the display's device pixels at
// the display's DPI, in both programs: Zorvin.exe takes the DPI from Windows, the Linux program
// from the desktop through Qt. Plain arithmetic with no toolkit type, so that it is tested without
// a display.
//
// A window scales by a ratio: a dialog by dpi / 96 exactly, as Windows scales dialogs; pixel art by
// a whole factor only, so that each of its pixels stays a square block of device pixels. At 96 DPI
// both are 1 and nothing changes. Whole device pixels are rounded to the nearest, halves towards
// the bottom right, as PixelOf does. A device coordinate that would lie beyond an int32 is its
// nearest end (a form may put its window anywhere), and a form position that is no number is 0.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/api/layout.h"
#include "platform/api/types.h"

namespace zorvin {

// The DPI at which a form's pixel is one device pixel: a display at 100 %.
inline constexpr int kStandardDpi = 96;
// The highest DPI windows are scaled for: a display at 800 %.
inline constexpr int kHighestDpi = 8 * kStandardDpi;

// A DPI as the windows are scaled for it: from kStandardDpi to kHighestDpi, the nearest of them
// for one outside, and kStandardDpi for one that is no number, infinite or not above 0. Windows
// gives none outside, but a DPI worked out from a user's settings (Xft.dpi times QT_SCALE_FACTOR)
// can be anything, and a window scaled by it far larger than any screen.
int SaneDpi(double dpi);
// A user's scale factor as the windows take it, by the same rule: from 1 to 8, and 1 for one that
// is no number, infinite or not above 0.
double SaneScaleFactor(double factor);

class DpiScale {
  public:
    // The scale of a window that grows as its layout says, at `dpi`: the one rule by which both
    // programs size their windows.
    static DpiScale Of(DpiScaling scaling, int dpi);
    // The whole factor nearest SaneDpi(dpi) / 96: 1 up to 125 %, 2 from 150 % to 249 %, 3 from
    // 250 %, and so on up to 8.
    static DpiScale WholeFactor(int dpi);
    // SaneDpi(dpi) / 96 exactly.
    static DpiScale Proportional(int dpi);

    // How many device pixels one form pixel spans across, as a fraction.
    std::int32_t numerator() const { return numerator_; }
    std::int32_t denominator() const { return denominator_; }
    // The DPI that text and artwork are drawn for at this scale.
    int dpi() const { return ToDevice(kStandardDpi); }

    // A whole form coordinate or length in device pixels.
    std::int32_t ToDevice(std::int32_t form) const;
    // A fractional form position at its nearest device pixel.
    std::int32_t ToDevice(float form) const;
    // A rectangle's edges, each at its nearest device pixel.
    Rect ToDevice(const Rect& form) const;
    // A device coordinate as the form sees it, fraction kept: positions that go back and forth
    // through the form (a drag) come back to the same device pixel.
    float ToForm(std::int32_t device) const;
    // A device coordinate at its nearest whole form pixel.
    std::int32_t ToFormPixel(std::int32_t device) const;
    // The form pixel whose device pixels (ToDevice of its edges) hold the device pixel: what the
    // mouse is on.
    std::int32_t FormPixelAt(std::int32_t device) const;

    friend bool operator==(const DpiScale&, const DpiScale&) = default;

  private:
    DpiScale(std::int32_t numerator, std::int32_t denominator);

    std::int32_t numerator_;
    std::int32_t denominator_;
};

// Where a window's client area goes when its scale changes, so that `anchor` (a screen point) stays
// over the same place of the window: the pointer during a drag, the window's centre otherwise.
Point RescaledOrigin(Point origin, Point anchor, const DpiScale& before, const DpiScale& after);

// A window that grows by whole factors, as its DPI changes: where it was and how it is sized now.
struct Rescaling {
    DpiScale before;
    DpiScale after;
    // The client area's top left on the screen, before.
    Point clientOrigin;
    // The client area in form pixels.
    Size client;
    // The pointer on the screen while a button is held on the window (a drag), else nothing.
    std::optional<Point> pointer;
    // Where the client area begins inside the outer window, and the outer window's size, after.
    Point clientOffset;
    Size outer;
    // The monitor whose DPI the window took.
    Rect monitor;
};

// Where the outer window's top left goes: the point under the pointer, else the client area's
// centre, stays over the same place of the window (RescaledOrigin); then the window moves the least
// that puts its middle on the monitor, past the monitor's edges. The system gives a window the DPI
// of the monitor that holds most of it; a window rescaled around the pointer may lie mostly on the
// monitor it came from again, and be rescaled back at once, again and again. With its middle on the
// monitor whose DPI it took, it stays there.
Point RescaledPlace(const Rescaling& rescaling);

}  // namespace zorvin
