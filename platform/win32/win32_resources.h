// The artwork as the program's resources (zorvin.rc): the face icon, the hand pointer and the
// pictures, loaded once and shared by every window. Icons and the pointer are loaded at the size
// for each DPI a window asks for, and kept.
#pragma once

#include <windows.h>

#include <map>
#include <optional>

#include "platform/api/layout.h"

namespace zorvin::win32 {

struct Bitmap {
    HBITMAP handle = nullptr;
    SIZE size{};
    std::optional<COLORREF> transparent;  // pixels of this colour are not drawn
};

class Win32Resources {
  public:
    explicit Win32Resources(HINSTANCE instance);
    ~Win32Resources();
    Win32Resources(const Win32Resources&) = delete;
    Win32Resources& operator=(const Win32Resources&) = delete;

    HINSTANCE instance() const { return instance_; }
    // The icon at the size of a caption bar (small) or of the task switcher (big) at `dpi`; null
    // for Artwork::None.
    HICON smallIcon(Artwork icon, int dpi) const;
    HICON bigIcon(Artwork icon, int dpi) const;
    // The pointer at its size for `dpi`, its hot spot on the same pixel of its picture.
    HCURSOR cursor(MousePointer pointer, int dpi) const;
    // A picture control's artwork; throws for artwork that is not a picture.
    const Bitmap& picture(Artwork artwork) const;

  private:
    struct AtDpi {
        HICON smallIcon = nullptr;
        HICON bigIcon = nullptr;
        HCURSOR hand = nullptr;
    };
    const AtDpi& at(int dpi) const;

    HINSTANCE instance_;
    HCURSOR arrow_;
    Bitmap face_;
    Bitmap pupil_;
    mutable std::map<int, AtDpi> atDpi_;
};

}  // namespace zorvin::win32
