#pragma once

#include "platform/layout.h"

namespace zorvin {

// The About box: the program's name, its author and two links.
extern const FormLayout kForm2Layout;

// Link colours, 0x00BBGGRR.
inline constexpr Colour kLinkNavy = 0x800000;
inline constexpr Colour kLinkPurple = 0x800080;

}  // namespace zorvin
