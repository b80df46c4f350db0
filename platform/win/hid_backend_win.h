// The HID backend of the real system: SetupAPI for the interface list, the HID class driver for
// attributes, capabilities and reports.
#pragma once

#include <memory>

#include "platform/hid.h"

namespace ventrio {

std::unique_ptr<HidBackend> CreateSystemHidBackend();

}  // namespace ventrio
