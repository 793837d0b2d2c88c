// Stay-on-top, the one stacking change the forms make.
#pragma once

#include "platform/api/system_api.h"
#include "platform/api/system_values.h"

namespace zorvin {

// Makes the window topmost or not topmost; its position and size stay as they are.
inline void SetTopmost(SystemApi& system, Hwnd hwnd, bool topmost) {
    system.SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace zorvin
