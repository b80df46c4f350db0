#include "assign/key_tables.h"

#include <gtest/gtest.h>

namespace ventrio {
namespace {

TEST(KeyTables, NameTableCorners) {
    struct Case {
        const char* name;
        uint8_t single;  // KeyNameToCode
        uint8_t macro;   // MacroKeyNameToCode
    };
    const Case cases[] = {
        {"A", 0x04, 0x04},
        {"Z", 0x1D, 0x1D},
        {"1", 0x1E, 0x1E},
        {"9", 0x26, 0x26},
        {"0", 0x27, 0x27},
        {"a", 0, 0},
        {"Enter", 0x28, 0x28},
        {"\\", 0x31, 0x31},
        {"`", 0x35, 0x35},
        {"Eurpo(Note 2)", 0x32, 0x32},
        {"F12", 0x45, 0x45},
        {"Num Enter", 0x58, 0x58},
        {"Num 0", 0x62, 0x62},
        {"Num Del", 0x63, 0x63},
        {"Application", 0x65, 0},
        {"App", 0, 0x65},
        {"Left GUI", 0, 0xE3},
        {"Left Windows", 0xE3, 0xE3},
        {"Ctrl", 0xE0, 0xE0},
        {"Right Windows", 0xE7, 0xE7},
        {"L-Button", 0xF0, 0xF0},
        {"R-Button", 0xF1, 0xF1},
        {"M-Button", 0xF2, 0xF2},
        {"Select", 0, 0},
        {"Execute", 0, 0},
        {"Help", 0, 0},
        {"Button 4", 0, 0},
        {"Button 5", 0, 0},
        {"", 0, 0},
        {"Enter ", 0, 0},
        {"AB", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyNameToCode(c.name), c.single) << c.name;
        EXPECT_EQ(MacroKeyNameToCode(c.name), c.macro) << c.name;
    }
}

TEST(KeyTables, CodeToNameIsTheExactInverseOfTheSingleKeyTable) {
    int named = 0;
    for (int code = 0; code < 256; ++code) {
        const std::string name = KeyCodeToName(static_cast<uint8_t>(code));
        if (name == "N/A") {
            continue;
        }
        ++named;
        EXPECT_EQ(KeyNameToCode(name), code) << name;
        if (name != "Application") {
            EXPECT_EQ(MacroKeyNameToCode(name), code) << name;
        }
    }
    EXPECT_EQ(named, 108);
    EXPECT_EQ(KeyCodeToName(0x00), "N/A");
    EXPECT_EQ(KeyCodeToName(0x64), "N/A");
    EXPECT_EQ(KeyCodeToName(0xF1), "R-Button");
}

TEST(KeyTables, VirtualKeyNames) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0x30, "0"},         {0x39, "9"},         {0x41, "A"},   {0x5A, "Z"},
        {0x60, "Num 0"},     {0x69, "Num 9"},     {0x70, "F1"},  {0x7B, "F12"},
        {0x0D, "Enter"},     {0x6C, "Num Enter"}, {0x5D, "App"}, {0xA0, "Shift"},
        {0xA5, "Right Alt"}, {0xC0, "`"},         {0xDC, "\\"},  {0xF1, "L-Button"},
        {0xF3, "M-Button"},  {0xF5, "Button 5"},  {0x10, ""},    {0x11, ""},
        {0x12, ""},          {0x7C, ""},          {0xF6, ""},    {0x2A, ""},
    };
    for (const auto& [vk, name] : cases) {
        EXPECT_EQ(GetKeyStr(vk), name) << std::hex << vk;
    }
}

TEST(KeyTables, KeypadEnterIsRenamedOnlyWithTheExtendedFlag) {
    EXPECT_EQ(GetKeyStr(KeypadEnterAdjusted(0x0D, true)), "Num Enter");
    EXPECT_EQ(GetKeyStr(KeypadEnterAdjusted(0x0D, false)), "Enter");
    EXPECT_EQ(KeypadEnterAdjusted(0x25, true), 0x25u);
}

}  // namespace
}  // namespace ventrio
