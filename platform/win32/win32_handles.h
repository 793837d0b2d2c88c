// The one place where the interface's integer handles become the system's handle types and back,
// and the owners of the system's objects.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

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

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

// GDI objects and menus owned by one object, freed with it, however its constructor ends.
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using OwnedRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, GdiObjectDeleter>;
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

}  // namespace zorvin::win32
