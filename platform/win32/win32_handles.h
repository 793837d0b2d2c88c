// Owners of the system's objects.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace zorvin::win32 {

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
