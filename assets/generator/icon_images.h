// The program's icon at each size a desktop asks for, drawn from the artwork with whole-pixel
// scaling only, so that every size stays as sharp as the pixel art it comes from.
#pragma once

#include <vector>

#include "assets/generator/picture.h"

namespace zorvin::assets {

// The sizes of the icon file's images and of the Linux desktop's icons.
inline constexpr int kWindowsIconSizes[] = {16, 24, 32, 48, 64, 256};
inline constexpr int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// A `size` x `size` image on a transparent ground: the face looking ahead, scaled by the largest
// whole factor that fits, where it fits; below that the small icon, scaled up by a whole factor or,
// below its own size, sampled down to the nearest pixel.
Picture iconImage(const Picture& face, const Picture& pupil, const Picture& icon, int size);

}  // namespace zorvin::assets
