// A form's layout as plain data: the window, its controls and its menu, from which every backend
// builds the native window. Values are the forms' initial properties.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/api/types.h"

namespace zorvin {

// The pictures the program shows; each backend loads them from assets/.
enum class Artwork { None, Face, Pupil, Icon, HandPointer };

enum class ControlKind { Picture, Label, CommandButton, Timer };

enum class Alignment { Left, Center };

enum class MousePointer {
    Default,  // the system's standard arrow
    Hand,     // Artwork::HandPointer
};

struct Font {
    std::string_view name;
    float points = 0;
    bool bold = false;
    bool underline = false;
    std::int32_t charset = 0;
};

// The font windows and their controls use unless a control names its own.
inline constexpr Font kDefaultFont{.name = "MS Sans Serif", .points = 8.25f};

inline constexpr Colour kBlack = 0x000000;

// Unused fields keep their defaults; positions and sizes are client pixels.
struct ControlLayout {
    ControlKind kind = ControlKind::Picture;
    std::string_view name;
    std::int16_t index = -1;  // the index inside a control array, -1 for a plain control
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    Artwork picture = Artwork::None;        // Picture
    std::string_view caption;               // Label, CommandButton
    Alignment alignment = Alignment::Left;  // Label
    Colour foreColor = kBlack;              // Label
    const Font* font = nullptr;             // Label; null: the window's font
    MousePointer pointer = MousePointer::Default;
    bool isDefault = false;     // CommandButton: pressed by Enter
    bool isCancel = false;      // CommandButton: pressed by Escape
    std::int32_t interval = 0;  // Timer, milliseconds; 0 is stopped
};

// Menus are listed in order; level 0 is a top-level menu, level 1 an item under the last level 0.
struct MenuLayout {
    std::string_view name;
    std::string_view caption;  // "-" is a separator line; '&' marks the mnemonic
    int level = 1;
    bool checked = false;
    bool visible = true;  // a hidden top level is no menu bar, only a pop-up
};

// How a window grows on a display of more than 96 DPI, where a backend scales it itself.
enum class DpiScaling {
    Proportional,  // by dpi / 96 exactly, as dialog boxes grow
    WholeFactor,   // by the nearest whole factor, so that each pixel of its pictures stays square
};

struct FormLayout {
    std::string_view name;
    std::string_view caption;
    Size client;
    Colour backColor = kBlack;
    bool minButton = false;
    bool maxButton = false;
    Artwork icon = Artwork::None;
    // Where the client area begins inside the outer window for the frame the form was designed
    // with (a fixed single border and a caption). Window coordinates, such as a window region, are
    // drawn for it; a backend whose frame differs shifts them by the difference.
    Point clientOrigin{3, 22};
    Font font = kDefaultFont;
    DpiScaling dpiScaling = DpiScaling::Proportional;
    std::span<const ControlLayout> controls;
    std::span<const MenuLayout> menu;
};

}  // namespace zorvin
