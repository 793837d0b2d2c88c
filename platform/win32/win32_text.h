// Text as the system takes it: the layouts' UTF-8 strings as wide strings, and fonts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/api/layout.h"

namespace zorvin::win32 {

std::wstring Widen(std::string_view utf8);

// A font with the layout's face name, size in points, weight, underline and character set, at
// `dpi`. The caller deletes it.
HFONT CreateLayoutFont(const Font& font, int dpi);

}  // namespace zorvin::win32
