#include "assign/key_tables.h"

#include <array>
#include <utility>

namespace ventrio {
namespace {

struct NamedCode {
    std::string_view name;
    uint8_t code;
};

// Letters and digits follow their own rule; this table holds every other named key.
constexpr auto kNamedKeys = std::to_array<NamedCode>({
    {"Enter", 0x28},
    {"Esc", 0x29},
    {"Backspace", 0x2A},
    {"Tab", 0x2B},
    {"Space", 0x2C},
    {"-", 0x2D},
    {"=", 0x2E},
    {"[", 0x2F},
    {"]", 0x30},
    {"\\", 0x31},
    {"Eurpo(Note 2)", 0x32},
    {";", 0x33},
    {"'", 0x34},
    {"`", 0x35},
    {",", 0x36},
    {".", 0x37},
    {"/", 0x38},
    {"Caps Lock", 0x39},
    {"F1", 0x3A},
    {"F2", 0x3B},
    {"F3", 0x3C},
    {"F4", 0x3D},
    {"F5", 0x3E},
    {"F6", 0x3F},
    {"F7", 0x40},
    {"F8", 0x41},
    {"F9", 0x42},
    {"F10", 0x43},
    {"F11", 0x44},
    {"F12", 0x45},
    {"Prnt Scrn", 0x46},
    {"Scroll Lock", 0x47},
    {"Pause", 0x48},
    {"Insert", 0x49},
    {"Home", 0x4A},
    {"Page Up", 0x4B},
    {"Delete", 0x4C},
    {"End", 0x4D},
    {"Page Down", 0x4E},
    {"Right", 0x4F},
    {"Left", 0x50},
    {"Down", 0x51},
    {"Up", 0x52},
    {"Num Lock", 0x53},
    {"Num /", 0x54},
    {"Num *", 0x55},
    {"Num -", 0x56},
    {"Num +", 0x57},
    {"Num Enter", 0x58},
    {"Num 1", 0x59},
    {"Num 2", 0x5A},
    {"Num 3", 0x5B},
    {"Num 4", 0x5C},
    {"Num 5", 0x5D},
    {"Num 6", 0x5E},
    {"Num 7", 0x5F},
    {"Num 8", 0x60},
    {"Num 9", 0x61},
    {"Num 0", 0x62},
    {"Num Del", 0x63},
    {"Ctrl", 0xE0},
    {"Shift", 0xE1},
    {"Alt", 0xE2},
    {"Left Windows", 0xE3},
    {"Right Ctrl", 0xE4},
    {"Right Shift", 0xE5},
    {"Right Alt", 0xE6},
    {"Right Windows", 0xE7},
    {"L-Button", kDeviceLeftButton},
    {"R-Button", kDeviceRightButton},
    {"M-Button", kDeviceMiddleButton},
});

constexpr NamedCode kApplication = {"Application", 0x65};
constexpr auto kMacroOnlyKeys = std::to_array<NamedCode>({{"Left GUI", 0xE3}, {"App", 0x65}});

uint8_t LetterOrDigitCode(std::string_view name) {
    if (name.size() != 1) {
        return 0;
    }
    const char c = name[0];
    if (c >= 'A' && c <= 'Z') {
        return static_cast<uint8_t>(0x04 + (c - 'A'));
    }
    if (c >= '1' && c <= '9') {
        return static_cast<uint8_t>(0x1E + (c - '1'));
    }
    if (c == '0') {
        return 0x27;
    }
    return 0;
}

uint8_t NamedCodeOf(std::string_view name) {
    for (const NamedCode& key : kNamedKeys) {
        if (key.name == name) {
            return key.code;
        }
    }
    return 0;
}

struct VirtualKeyName {
    uint32_t vk;
    std::string_view name;
};

constexpr auto kVirtualKeyNames = std::to_array<VirtualKeyName>({
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x29, "Select"},
    {0x2B, "Execute"},
    {0x2C, "Prnt Scrn"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x2F, "Help"},
    {0x5B, "Left Windows"},
    {0x5C, "Right Windows"},
    {0x5D, "App"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6C, "Num Enter"},
    {0x6D, "Num -"},
    {0x6E, "Num Del"},
    {0x6F, "Num /"},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xA0, "Shift"},
    {0xA1, "Right Shift"},
    {0xA2, "Ctrl"},
    {0xA3, "Right Ctrl"},
    {0xA4, "Alt"},
    {0xA5, "Right Alt"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
    {0xF1, "L-Button"},
    {0xF2, "R-Button"},
    {0xF3, "M-Button"},
    {0xF4, "Button 4"},
    {0xF5, "Button 5"},
});

}  // namespace

uint8_t KeyNameToCode(std::string_view name) {
    if (const uint8_t code = LetterOrDigitCode(name)) {
        return code;
    }
    if (name == kApplication.name) {
        return kApplication.code;
    }
    return NamedCodeOf(name);
}

uint8_t MacroKeyNameToCode(std::string_view name) {
    if (const uint8_t code = LetterOrDigitCode(name)) {
        return code;
    }
    for (const NamedCode& key : kMacroOnlyKeys) {
        if (key.name == name) {
            return key.code;
        }
    }
    return NamedCodeOf(name);
}

std::string KeyCodeToName(uint8_t code) {
    if (code >= 0x04 && code <= 0x1D) {
        return std::string(1, static_cast<char>('A' + (code - 0x04)));
    }
    if (code >= 0x1E && code <= 0x26) {
        return std::string(1, static_cast<char>('1' + (code - 0x1E)));
    }
    if (code == 0x27) {
        return "0";
    }
    if (code == kApplication.code) {
        return std::string(kApplication.name);
    }
    for (const NamedCode& key : kNamedKeys) {
        if (key.code == code) {
            return std::string(key.name);
        }
    }
    return "N/A";
}

std::string GetKeyStr(uint32_t vk) {
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) {
        return std::string(1, static_cast<char>(vk));
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return "Num " + std::to_string(vk - 0x60);
    }
    if (vk >= 0x70 && vk <= 0x7B) {
        return "F" + std::to_string(vk - 0x70 + 1);
    }
    for (const VirtualKeyName& key : kVirtualKeyNames) {
        if (key.vk == vk) {
            return std::string(key.name);
        }
    }
    return {};
}

uint32_t KeypadEnterAdjusted(uint32_t virtualKey, bool extended) {
    return virtualKey == kVkReturn && extended ? kVkNumEnter : virtualKey;
}

}  // namespace ventrio
