// Per-pixel alpha blending wants colours already scaled by their alpha.
#pragma once

#include <cstdint>
#include <span>

namespace ventrio {

// Pixels in blue, green, red, alpha order: each colour becomes value * alpha / 255, truncated;
// alpha stays. A trailing partial pixel is left alone.
void PremultiplyBgra(std::span<uint8_t> pixels);

}  // namespace ventrio
