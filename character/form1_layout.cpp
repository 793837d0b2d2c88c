#include "character/form1_layout.h"

#include <array>

namespace zorvin {
namespace {

constexpr std::array kControls{
    ControlLayout{.kind = ControlKind::Picture,
                  .name = form1_names::Image1,
                  .width = 89,
                  .height = 66,
                  .picture = Artwork::Face},
    ControlLayout{.kind = ControlKind::Picture,
                  .name = form1_names::Eye,
                  .index = 0,
                  .left = 14,
                  .top = 28,
                  .width = 7,
                  .height = 8,
                  .picture = Artwork::Pupil},
    ControlLayout{.kind = ControlKind::Picture,
                  .name = form1_names::Eye,
                  .index = 1,
                  .left = 63,
                  .top = 28,
                  .width = 7,
                  .height = 8,
                  .picture = Artwork::Pupil},
    ControlLayout{.kind = ControlKind::Timer, .name = form1_names::Timer1, .interval = 100},
};

constexpr std::array kMenu{
    MenuLayout{
        .name = form1_names::mPopupMenu, .caption = "PopupMenu", .level = 0, .visible = false},
    MenuLayout{.name = form1_names::mAlwaysOnTop, .caption = "Always On &Top", .checked = true},
    MenuLayout{.name = form1_names::mAbout, .caption = "&About Zorvin"},
    MenuLayout{.name = form1_names::mSeparate0, .caption = "-"},
    MenuLayout{.name = form1_names::mExit, .caption = "&Exit"},
};

}  // namespace

// Controls are listed bottom to top: the pupils lie above the face.
const FormLayout kForm1Layout{
    .name = "Form1",
    .caption = "Zorvin",
    .client = {89, 67},
    .backColor = kBlack,
    .icon = Artwork::Icon,
    // The face is pixel art, and its shape follows its pixels.
    .dpiScaling = DpiScaling::WholeFactor,
    .controls = kControls,
    .menu = kMenu,
};

}  // namespace zorvin
