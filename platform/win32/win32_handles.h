// The one place where the interface's integer handles become the system's handle types and back.
#pragma once

#include <windows.h>

#include "platform/types.h"

namespace zorvin::win32 {

inline HWND ToHwnd(Hwnd hwnd) {
    return reinterpret_cast<HWND>(hwnd);
}

inline Hwnd FromHwnd(HWND hwnd) {
    return reinterpret_cast<Hwnd>(hwnd);
}

inline HRGN ToHrgn(Hrgn region) {
    return reinterpret_cast<HRGN>(region);
}

inline Hrgn FromHrgn(HRGN region) {
    return reinterpret_cast<Hrgn>(region);
}

}  // namespace zorvin::win32
