// Where a new window first appears: centred on a screen, the screen being the one that holds most
// of the program's window already shown, if any.
#pragma once

#include <optional>
#include <span>

#include "platform/api/layout.h"
#include "platform/api/types.h"
#include "platform/common/native_window.h"

namespace zorvin {

// The outer size of a window with the frame its layout was designed with: the client origin's
// border and caption, and a border as wide as the left one on the right and below.
Size DesignedOuterSize(const FormLayout& layout);

// The top-left corner that centres `outer` on `screen`.
Point CentredOn(const Rect& screen, Size outer);

// The screen that holds the largest part of `window`; the first screen (the primary one) when
// there is no window or it lies on none. `screens` is not empty.
const Rect& ScreenHoldingMost(std::span<const Rect> screens, const std::optional<Rect>& window);

}  // namespace zorvin
