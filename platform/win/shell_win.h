// The desktop shell of Windows.
#pragma once

#include "platform/shell.h"

namespace ventrio {

class Win32Shell final : public Shell {
  public:
    bool Open(const std::string& target) override;
    bool Launch(const std::filesystem::path& program) override;
    uint16_t NativeArchitecture() override;
};

}  // namespace ventrio
