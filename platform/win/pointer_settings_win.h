// The Windows pointer settings through SystemParametersInfoW.
#pragma once

#include <memory>

#include "platform/pointer_settings.h"

namespace ventrio {

std::unique_ptr<SystemPointerSettings> CreateSystemPointerSettings();

}  // namespace ventrio
