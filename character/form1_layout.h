#pragma once

#include "platform/layout.h"

namespace zorvin {

// The character window: the face, its two pupils, the tracking timer and the context menu.
extern const FormLayout kForm1Layout;

}  // namespace zorvin
