// All the forms call: the form runtime and the system functions.
#pragma once

#include "platform/form_runtime.h"
#include "platform/system_api.h"

namespace zorvin {

class Platform : public FormRuntime, public SystemApi {};

}  // namespace zorvin
