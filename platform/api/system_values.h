// The constant arguments the forms pass to the system functions, with the system's own values.
//
// Kept apart from system_api.h: a backend that includes the system's own headers, where these names
// are macros, implements the functions without ever seeing these constants.
#pragma once

#include <cstdint>

#include "platform/api/types.h"

namespace zorvin {

inline constexpr Hwnd HWND_TOPMOST = -1;
inline constexpr Hwnd HWND_NOTOPMOST = -2;

inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;

// Polygon fill rules.
inline constexpr std::int32_t ALTERNATE = 1;  // even-odd
inline constexpr std::int32_t WINDING = 2;

inline constexpr std::int32_t SW_SHOW = 5;

}  // namespace zorvin
