#include "about/form2_layout.h"

#include <array>

#include "about/author.h"

namespace zorvin {
namespace {

constexpr Font kLinkFont{
    .name = "MS Sans Serif", .points = 8.25f, .underline = true, .charset = 222};

constexpr std::array kControls{
    ControlLayout{.kind = ControlKind::Label,
                  .name = form2_names::Label1,
                  .left = 53,
                  .top = 3,
                  .width = 136,
                  .height = 18,
                  .caption = "Zorvin",
                  .alignment = Alignment::Center},
    ControlLayout{.kind = ControlKind::Label,
                  .name = form2_names::Label2,
                  .left = 41,
                  .top = 18,
                  .width = 163,
                  .height = 18,
                  .caption = "By " ZORVIN_AUTHOR_NAME,
                  .alignment = Alignment::Center},
    ControlLayout{.kind = ControlKind::Label,
                  .name = form2_names::Email,
                  .left = 69,
                  .top = 33,
                  .width = 107,
                  .height = 18,
                  .caption = ZORVIN_AUTHOR_EMAIL,
                  .alignment = Alignment::Center,
                  .foreColor = kLinkNavy,
                  .font = &kLinkFont,
                  .pointer = MousePointer::Hand},
    ControlLayout{.kind = ControlKind::Label,
                  .name = form2_names::Homepage,
                  .left = 3,
                  .top = 49,
                  .width = 238,
                  .height = 18,
                  .caption = ZORVIN_HOMEPAGE,
                  .alignment = Alignment::Center,
                  .foreColor = kLinkNavy,
                  .font = &kLinkFont,
                  .pointer = MousePointer::Hand},
    ControlLayout{.kind = ControlKind::CommandButton,
                  .name = form2_names::Command1,
                  .left = 92,
                  .top = 78,
                  .width = 65,
                  .height = 23,
                  .caption = "&OK",
                  .isDefault = true,
                  .isCancel = true},
};

}  // namespace

const FormLayout kForm2Layout{
    .name = "Form2",
    .caption = "About Zorvin",
    .client = {245, 110},
    .backColor = 0xC0C0C0,
    .icon = Artwork::Icon,
    .controls = kControls,
};

}  // namespace zorvin
