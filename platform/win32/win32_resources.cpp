#include "platform/win32/win32_resources.h"

#include <stdexcept>

#include "assets/artwork.h"
#include "platform/win32/resource_ids.h"

namespace zorvin::win32 {
namespace {

HICON LoadIconAt(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ZORVIN_ICON), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0));
}

Bitmap LoadBitmapResource(HINSTANCE instance, int id, std::optional<COLORREF> transparent) {
    Bitmap bitmap;
    bitmap.handle = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info{};
    GetObjectW(bitmap.handle, sizeof info, &info);
    bitmap.size = {info.bmWidth, info.bmHeight};
    bitmap.transparent = transparent;
    return bitmap;
}

}  // namespace

Win32Resources::Win32Resources(HINSTANCE instance)
    : instance_(instance),
      smallIcon_(LoadIconAt(instance, SM_CXSMICON, SM_CYSMICON)),
      bigIcon_(LoadIconAt(instance, SM_CXICON, SM_CYICON)),
      arrow_(LoadCursorW(nullptr, IDC_ARROW)),
      hand_(LoadCursorW(instance, MAKEINTRESOURCEW(ZORVIN_HAND_CURSOR))),
      face_(LoadBitmapResource(instance, ZORVIN_FACE_BITMAP, std::nullopt)),
      pupil_(LoadBitmapResource(instance, ZORVIN_PUPIL_BITMAP, kPupilTransparentColour)) {}

Win32Resources::~Win32Resources() {
    DeleteObject(face_.handle);
    DeleteObject(pupil_.handle);
    DestroyIcon(smallIcon_);
    DestroyIcon(bigIcon_);
}

HICON Win32Resources::smallIcon(Artwork icon) const {
    return icon == Artwork::Icon ? smallIcon_ : nullptr;
}

HICON Win32Resources::bigIcon(Artwork icon) const {
    return icon == Artwork::Icon ? bigIcon_ : nullptr;
}

HCURSOR Win32Resources::cursor(MousePointer pointer) const {
    return pointer == MousePointer::Hand ? hand_ : arrow_;
}

const Bitmap& Win32Resources::picture(Artwork artwork) const {
    switch (artwork) {
        case Artwork::Face:
            return face_;
        case Artwork::Pupil:
            return pupil_;
        case Artwork::None:
        case Artwork::Icon:
        case Artwork::HandPointer:
            break;
    }
    throw std::invalid_argument("the artwork is not a picture");
}

}  // namespace zorvin::win32
