// The host copy of the mouse's memory areas from which the upload sends: the bank, the six
// settings pages, the device button table and the twelve macro slots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "config/config_record.h"

namespace ventrio {

inline constexpr size_t kDeviceImageSize = 2473;
inline constexpr size_t kSettingsPageSize = 128;

namespace img {
inline constexpr size_t kBank = 0;
inline constexpr size_t kFunctionOption =
    1;  // 0x7C whenever the image is cleared for a found mouse
inline constexpr size_t kPollingDivisor = 2;  // the divisor sent by the last upload
inline constexpr size_t kSettingsPages = 17;  // six pages of 128 bytes; page 0 is the one used
inline constexpr size_t kSettingsPagesSize = 6 * kSettingsPageSize;
inline constexpr size_t kButtonTable = 785;
inline constexpr size_t kButtonTableSize = 128;
inline constexpr size_t kMacroArea = 913;  // a copy of the record's twelve 130-byte blocks
inline constexpr size_t kMacroAreaSize = kMacroBlockCount * kMacroBlockSize;
static_assert(kSettingsPages + kSettingsPagesSize == kButtonTable);
static_assert(kButtonTable + kButtonTableSize == kMacroArea);
static_assert(kMacroArea + kMacroAreaSize == kDeviceImageSize);

// Slot k = 1 to 12.
constexpr size_t MacroSlot(size_t k) {
    return kMacroArea + kMacroBlockSize * (k - 1);
}
}  // namespace img

struct DeviceImage {
    std::array<uint8_t, kDeviceImageSize> bytes{};

    uint8_t& operator[](size_t offset) { return bytes[offset]; }
    uint8_t operator[](size_t offset) const { return bytes[offset]; }

    void Clear() { bytes.fill(0); }

    std::span<uint8_t, kSettingsPageSize> SettingsPage() {
        return std::span<uint8_t, kSettingsPageSize>(bytes.data() + img::kSettingsPages,
                                                     kSettingsPageSize);
    }
    std::span<uint8_t, img::kSettingsPagesSize> SettingsPages() {
        return std::span<uint8_t, img::kSettingsPagesSize>(bytes.data() + img::kSettingsPages,
                                                           img::kSettingsPagesSize);
    }
    std::span<uint8_t, img::kButtonTableSize> ButtonTable() {
        return std::span<uint8_t, img::kButtonTableSize>(bytes.data() + img::kButtonTable,
                                                         img::kButtonTableSize);
    }
    std::span<uint8_t, img::kMacroAreaSize> MacroArea() {
        return std::span<uint8_t, img::kMacroAreaSize>(bytes.data() + img::kMacroArea,
                                                       img::kMacroAreaSize);
    }
    // The 128 bytes of macro slot k (1 to 12) that the mouse receives.
    std::span<uint8_t, kMacroSlotSize> MacroSlot(size_t k) {
        return std::span<uint8_t, kMacroSlotSize>(bytes.data() + img::MacroSlot(k), kMacroSlotSize);
    }
};

}  // namespace ventrio
