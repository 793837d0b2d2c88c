#include "platform/win32/win32_resources.h"

#include <cstdint>
#include <stdexcept>

#include "assets/artwork.h"
#include "platform/dpi_scale/dpi_scale.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_dpi.h"

namespace zorvin::win32 {
namespace {

HICON LoadIconAt(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(ZORVIN_ICON), IMAGE_ICON, size, size, 0));
}

HCURSOR LoadCursorAt(HINSTANCE instance, int id, int size) {
    return static_cast<HCURSOR>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_CURSOR, size, size, 0));
}

// A pointer picture's width and hot spot.
struct PointerShape {
    std::int32_t width = 0;
    std::int32_t hotSpotX = 0;
    std::int32_t hotSpotY = 0;
};

PointerShape ShapeOf(HCURSOR cursor) {
    ICONINFO info{};
    GetIconInfo(cursor, &info);
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return {static_cast<std::int32_t>(mask.bmWidth), static_cast<std::int32_t>(info.xHotspot),
            static_cast<std::int32_t>(info.yHotspot)};
}

// The pointer stretched for `dpi`, with its hot spot put on the device pixel where its picture's
// hot spot pixel lands, whatever the system does with hot spots when it stretches.
HCURSOR ScaledCursor(HINSTANCE instance, int id, int dpi) {
    HCURSOR designed = LoadCursorAt(instance, id, 0);
    const PointerShape shape = ShapeOf(designed);
    DestroyCursor(designed);
    const DpiScale scale = DpiScale::Proportional(dpi);
    HCURSOR stretched = LoadCursorAt(instance, id, scale.ToDevice(shape.width));
    ICONINFO info{};
    GetIconInfo(stretched, &info);
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(scale.ToDevice(shape.hotSpotX));
    info.yHotspot = static_cast<DWORD>(scale.ToDevice(shape.hotSpotY));
    HCURSOR placed = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyCursor(stretched);
    return placed;
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
      arrow_(LoadCursorW(nullptr, IDC_ARROW)),
      face_(LoadBitmapResource(instance, ZORVIN_FACE_BITMAP, std::nullopt)),
      pupil_(LoadBitmapResource(instance, ZORVIN_PUPIL_BITMAP, kPupilTransparentColour)) {}

Win32Resources::~Win32Resources() {
    DeleteObject(face_.handle);
    DeleteObject(pupil_.handle);
    for (const auto& [dpi, images] : atDpi_) {
        DestroyIcon(images.smallIcon);
        DestroyIcon(images.bigIcon);
        DestroyCursor(images.hand);
    }
}

const Win32Resources::AtDpi& Win32Resources::at(int dpi) const {
    const auto found = atDpi_.find(dpi);
    if (found != atDpi_.end()) {
        return found->second;
    }
    const AtDpi images{
        .smallIcon = LoadIconAt(instance_, MetricAt(SM_CXSMICON, dpi)),
        .bigIcon = LoadIconAt(instance_, MetricAt(SM_CXICON, dpi)),
        .hand = ScaledCursor(instance_, ZORVIN_HAND_CURSOR, dpi),
    };
    return atDpi_.emplace(dpi, images).first->second;
}

HICON Win32Resources::smallIcon(Artwork icon, int dpi) const {
    return icon == Artwork::Icon ? at(dpi).smallIcon : nullptr;
}

HICON Win32Resources::bigIcon(Artwork icon, int dpi) const {
    return icon == Artwork::Icon ? at(dpi).bigIcon : nullptr;
}

HCURSOR Win32Resources::cursor(MousePointer pointer, int dpi) const {
    return pointer == MousePointer::Hand ? at(dpi).hand : arrow_;
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
