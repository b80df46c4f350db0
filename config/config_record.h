// The 1773-byte configuration record: everything the user sets, one unsigned byte per field,
// addressed by offset. Bytes not named here are reserved and carried through unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ventrio {

inline constexpr size_t kConfigRecordSize = 1773;
inline constexpr size_t kButtonCount = 7;
inline constexpr size_t kStageCount = 7;
inline constexpr size_t kMacroBlockCount = 12;
inline constexpr size_t kMacroBlockSize = 130;
// The part of a macro block the mouse receives; the last two bytes stay in the record.
inline constexpr size_t kMacroSlotSize = 128;

// Field offsets. Arrays give the offset of their first entry.
namespace rec {
inline constexpr size_t kBank = 0;
inline constexpr size_t kPollingDivisor = 5;     // report interval in ms: 1, 2, 4 or 8
inline constexpr size_t kStageResolution = 7;    // 7 stages, units of 50 DPI
inline constexpr size_t kStageEnabled = 15;      // 7 stages, 1 = in the DPI cycle
inline constexpr size_t kStageColour = 23;       // 7 stages x red, green, blue
inline constexpr size_t kLightingMode = 47;      // 1, 2 or 3; 0 = none
inline constexpr size_t kLightingLevel = 48;     // 3 levels, one per mode
inline constexpr size_t kEnhancePrecision = 51;  // 1 = on
inline constexpr size_t kPageScroll = 52;        // non-zero = one screen per notch
inline constexpr size_t kPointerSpeed = 53;      // level 1 to 11
inline constexpr size_t kScrollLines = 54;
inline constexpr size_t kDoubleClickSpeed = 55;  // level 1 to 11
inline constexpr size_t kAngleSnapMarker = 56;   // carried, never sent
inline constexpr size_t kAngleSnap = 57;         // 1 = on
inline constexpr size_t kXSensitivity = 59;      // 1 to 11
inline constexpr size_t kYSensitivity = 60;      // 1 to 11
inline constexpr size_t kButtonFunction = 61;    // 8 entries, 0 to 6 used
inline constexpr size_t kDpiAction = 69;
inline constexpr size_t kMultimediaCode = 85;
inline constexpr size_t kAdditionalCommand = 93;
inline constexpr size_t kBasicCommandKey = 125;
inline constexpr size_t kKeyCode = 133;
inline constexpr size_t kMacroIndex = 197;
inline constexpr size_t kMacroRunMode = 205;
inline constexpr size_t kMacroArea = 213;  // 12 blocks of 130 bytes, to the record's end
inline constexpr size_t kMacroAreaSize = kMacroBlockCount * kMacroBlockSize;
static_assert(kMacroArea + kMacroAreaSize == kConfigRecordSize);

constexpr size_t StageResolution(size_t stage) {
    return kStageResolution + stage - 1;
}
constexpr size_t StageEnabled(size_t stage) {
    return kStageEnabled + stage - 1;
}
constexpr size_t StageColour(size_t stage) {
    return kStageColour + 3 * (stage - 1);
}
constexpr size_t MacroBlock(size_t block) {
    return kMacroArea + kMacroBlockSize * block;
}
}  // namespace rec

struct ConfigRecord {
    std::array<uint8_t, kConfigRecordSize> bytes{};

    uint8_t& operator[](size_t offset) { return bytes[offset]; }
    uint8_t operator[](size_t offset) const { return bytes[offset]; }
    bool operator==(const ConfigRecord&) const = default;

    // One 130-byte macro block, n = 0 to 11.
    std::span<uint8_t, kMacroBlockSize> MacroBlock(size_t n) {
        return std::span<uint8_t, kMacroBlockSize>(bytes.data() + rec::MacroBlock(n),
                                                   kMacroBlockSize);
    }
    std::span<const uint8_t, kMacroBlockSize> MacroBlock(size_t n) const {
        return std::span<const uint8_t, kMacroBlockSize>(bytes.data() + rec::MacroBlock(n),
                                                         kMacroBlockSize);
    }
    std::span<uint8_t, rec::kMacroAreaSize> MacroArea() {
        return std::span<uint8_t, rec::kMacroAreaSize>(bytes.data() + rec::kMacroArea,
                                                       rec::kMacroAreaSize);
    }
    std::span<const uint8_t, rec::kMacroAreaSize> MacroArea() const {
        return std::span<const uint8_t, rec::kMacroAreaSize>(bytes.data() + rec::kMacroArea,
                                                             rec::kMacroAreaSize);
    }
};

}  // namespace ventrio
