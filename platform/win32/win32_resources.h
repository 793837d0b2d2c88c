// The artwork as the program's resources (zorvin.rc): the face icon, the hand pointer and the
// pictures, loaded once and shared by every window.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/layout.h"

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
    // The icon at the size of a caption bar (small) or of the task switcher (big); null for
    // Artwork::None.
    HICON smallIcon(Artwork icon) const;
    HICON bigIcon(Artwork icon) const;
    HCURSOR cursor(MousePointer pointer) const;
    // A picture control's artwork; throws for artwork that is not a picture.
    const Bitmap& picture(Artwork artwork) const;

  private:
    HINSTANCE instance_;
    HICON smallIcon_;
    HICON bigIcon_;
    HCURSOR arrow_;
    HCURSOR hand_;
    Bitmap face_;
    Bitmap pupil_;
};

}  // namespace zorvin::win32
