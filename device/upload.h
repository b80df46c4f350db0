// The configuration upload: which bytes of the record end up where in the mouse, in which order,
// with which pauses; and Apply around it.
#pragma once

#include <span>

#include "config/config_files.h"
#include "config/config_state.h"
#include "device/device_link.h"
#include "platform/pointer_settings.h"

namespace ventrio {

// Page offsets the upload writes.
namespace page {
inline constexpr size_t kFixed2 = 2;
inline constexpr size_t kFixed48 = 0x30;
inline constexpr size_t kAngleSnap = 0x31;
inline constexpr size_t kFixed64 = 0x40;
inline constexpr size_t kFixed70 = 0x46;
inline constexpr size_t kLighting = 0x47;  // three bytes
inline constexpr size_t kXSensitivity = 0x4A;
inline constexpr size_t kYSensitivity = 0x4B;
inline constexpr size_t kStageResolution = 0x54;  // seven stages, units of 100 DPI
inline constexpr size_t kFixedOnes = 0x5C;        // 0x5C to 0x62 are 1
inline constexpr size_t kFixedOnesCount = 7;
inline constexpr size_t kStageMask = 0x64;
inline constexpr size_t kStageColours = 0x68;  // 24 bytes: seven colours, then zeros
}  // namespace page

// Writes the record's settings into the page the mouse returned; every other byte stays as read.
void PatchSettingsPage(std::span<uint8_t, kSettingsPageSize> settingsPage,
                       const ConfigRecord& record);

// The stage mask: bit i set when stage i+1 takes part in the DPI cycle (for flags of 0 and 1).
uint8_t StageMask(const ConfigRecord& record);

// Sends the working record to the mouse, then saves the configuration file and the labels. Sets
// record byte 0 to the bank (0) before anything is sent. Never checks a result: a mouse that
// takes nothing, or goes away in the middle, leaves the upload running to its end.
void UploadConfiguration(DeviceLink& link, ConfigState& state, ConfigFiles& files);

// The apply button: with the mouse present, the upload, the saves, the backup copy and the
// Windows pointer settings; without it nothing. Returns whether anything ran.
bool Apply(DeviceLink& link, ConfigState& state, ConfigFiles& files,
           SystemPointerSettings& pointerSettings);

}  // namespace ventrio
