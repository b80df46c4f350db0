#include "skin/premultiply.h"

namespace ventrio {

void PremultiplyBgra(std::span<uint8_t> pixels) {
    for (size_t i = 0; i + 4 <= pixels.size(); i += 4) {
        const unsigned alpha = pixels[i + 3];
        for (size_t c = 0; c < 3; ++c) {
            pixels[i + c] = static_cast<uint8_t>(pixels[i + c] * alpha / 255);
        }
    }
}

}  // namespace ventrio
