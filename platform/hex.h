// Uppercase hexadecimal text for byte strings (tool output, simulator state files).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ventrio {

std::string HexString(std::span<const uint8_t> bytes, std::string_view separator = {});
// Accepts upper and lower case, no separators; nullopt for anything else.
std::optional<std::vector<uint8_t>> ParseHex(std::string_view text);

}  // namespace ventrio
