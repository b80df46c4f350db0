// The system's ANSI code page, for label files that carry no byte-order mark and are not UTF-8.
#pragma once

#include "platform/text_encoding.h"

namespace ventrio {

class SystemAnsiCodec final : public AnsiCodec {
  public:
    std::string Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::string_view utf8) const override;
};

// Makes the INI engine read and write in the system code page for the rest of the process.
void InstallSystemAnsiCodec();

}  // namespace ventrio
