#include "platform/win32/win32_text.h"

#include <cmath>

namespace zorvin::win32 {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

HFONT CreateLayoutFont(const Font& font, int dpi) {
    // A negative height asks for the character height, which is what a point size measures.
    const int height =
        -static_cast<int>(std::lround(static_cast<double>(font.points) * dpi / 72.0));
    return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                       font.underline ? TRUE : FALSE, FALSE, static_cast<DWORD>(font.charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str());
}

}  // namespace zorvin::win32
