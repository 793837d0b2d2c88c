// All the forms call: the form runtime and the system functions.
#pragma once

#include "platform/api/form_runtime.h"
#include "platform/api/system_api.h"

namespace zorvin {

class Platform : public FormRuntime, public SystemApi {};

}  // namespace zorvin
