// Keys under their three identities: the Windows virtual-key code a hook reports, the display name
// the user sees and the store keeps, and the one-byte device key code the mouse understands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ventrio {

// Device key codes outside the HID keyboard page: the mouse's own buttons.
inline constexpr uint8_t kDeviceLeftButton = 0xF0;
inline constexpr uint8_t kDeviceRightButton = 0xF1;
inline constexpr uint8_t kDeviceMiddleButton = 0xF2;

// Name to device key code for single-key assignment and the load-time macro encoding; 0 for a
// name not in the table. Names compare whole and case-sensitively.
uint8_t KeyNameToCode(std::string_view name);

// The macro manager's flavour: no "Application", but "App" (the recorder's name for the menu key)
// and "Left GUI".
uint8_t MacroKeyNameToCode(std::string_view name);

// The inverse of KeyNameToCode; "N/A" for a code it does not know.
std::string KeyCodeToName(uint8_t code);

// The recorder's name for a virtual-key code (0xF1 to 0xF5 are its own mouse-button codes);
// empty for a code not in the table.
std::string GetKeyStr(uint32_t virtualKey);

// The keypad's Enter arrives as the ordinary Enter with the extended-key flag; it is renamed to
// the keypad code before naming so that it reads "Num Enter".
inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkNumEnter = 0x6C;
uint32_t KeypadEnterAdjusted(uint32_t virtualKey, bool extended);

}  // namespace ventrio
