#include "assign/button_catalogue.h"

#include <gtest/gtest.h>

#include "platform/hex.h"

namespace ventrio {
namespace {

// A record with button `button` set to `function`, parameters given as (offset base, value).
ConfigRecord WithButton(size_t button, uint8_t function,
                        std::initializer_list<std::pair<size_t, uint8_t>> fields = {}) {
    ConfigRecord r;
    r[rec::StageEnabled(1)] = 1;
    r[rec::kButtonFunction + button] = function;
    for (const auto& [base, value] : fields) {
        r[base + button] = value;
    }
    return r;
}

std::string Word(const ConfigRecord& r, size_t button) {
    return HexString(EncodeButtonAction(r, button), " ");
}

TEST(ButtonCatalogue, ActionWords) {
    struct Case {
        const char* what;
        ConfigRecord record;
        const char* word;
    };
    const Case cases[] = {
        {"click", WithButton(2, kFunctionClick), "01 00 F0 00"},
        {"menu", WithButton(2, kFunctionMenu), "01 00 F1 00"},
        {"scroll", WithButton(2, kFunctionScroll), "01 00 F2 00"},
        {"forward", WithButton(2, kFunctionForward), "01 00 F4 00"},
        {"back", WithButton(2, kFunctionBack), "01 00 F3 00"},
        {"double-click", WithButton(2, kFunctionDoubleClick), "0A F0 1E 02"},
        {"DPI loop", WithButton(2, kFunctionDpi, {{rec::kDpiAction, 3}}), "07 00 03 00"},
        {"open media player", WithButton(2, kFunctionMultimedia, {{rec::kMultimediaCode, 0x83}}),
         "03 00 83 01"},
        {"mute", WithButton(2, kFunctionMultimedia, {{rec::kMultimediaCode, 0xE2}}), "03 00 E2 00"},
        {"select all", WithButton(2, kFunctionBasicCommand, {{rec::kBasicCommandKey, 0x04}}),
         "00 00 E0 04"},
        {"my computer", WithButton(2, kFunctionAdditionalCommand), "03 00 94 01"},
        {"maximize", WithButton(2, kFunctionAdditionalCommand, {{rec::kAdditionalCommand, 3}}),
         "00 04 2C 1B"},
        {"run", WithButton(2, kFunctionAdditionalCommand, {{rec::kAdditionalCommand, 6}}),
         "00 00 E3 15"},
        {"additional index out of range",
         WithButton(2, kFunctionAdditionalCommand, {{rec::kAdditionalCommand, 7}}), "00 00 00 00"},
        {"single key", WithButton(2, kFunctionSingleKey, {{rec::kKeyCode, 0x2C}}), "00 00 2C 00"},
        {"unknown single key", WithButton(2, kFunctionSingleKey, {{rec::kKeyCode, 0}}),
         "00 00 00 00"},
        {"macro 0 run mode 2",
         WithButton(2, kFunctionMacro, {{rec::kMacroIndex, 0}, {rec::kMacroRunMode, 2}}),
         "09 02 01 00"},
        {"macro 2 run mode 1",
         WithButton(2, kFunctionMacro, {{rec::kMacroIndex, 2}, {rec::kMacroRunMode, 1}}),
         "09 01 03 00"},
        {"code 12", WithButton(2, 12), "00 00 00 00"},
        {"deactivated", WithButton(2, kFunctionDeactivated), "00 00 00 00"},
        {"left tilt", WithButton(2, kFunctionLeftTilt), "00 00 00 00"},
        {"fn", WithButton(2, kFunctionFn), "00 00 00 00"},
        {"above 17", WithButton(2, 200), "00 00 00 00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Word(c.record, 2), c.word) << c.what;
    }
}

TEST(ButtonCatalogue, IndicesOutsideTheSevenButtonsReadNothing) {
    ConfigRecord r;
    for (size_t i = 0; i < kButtonCount; ++i) {
        r[rec::kButtonFunction + i] = kFunctionMenu;
    }
    r[rec::kButtonFunction + 2] = kFunctionClick;  // entry 7 is Click too, but is no button
    for (const size_t button : {size_t{7}, size_t{8}, size_t{5000}}) {
        EXPECT_EQ(Word(r, button), "00 00 00 00") << button;
        EXPECT_FALSE(IsLastClickButton(r, button)) << button;
    }
}

TEST(ButtonCatalogue, DpiButtonsNeedAStageAmongTheFirstSix) {
    ConfigRecord r = WithButton(5, kFunctionDpi, {{rec::kDpiAction, kDpiDown}});
    r[rec::StageEnabled(1)] = 0;
    r[rec::StageEnabled(7)] = 1;  // stage 7 does not count
    EXPECT_EQ(Word(r, 5), "00 00 00 00");
    EXPECT_EQ(r[rec::kButtonFunction + 5], kFunctionDpi) << "the record keeps the function";
    r[rec::StageEnabled(6)] = 1;
    EXPECT_EQ(Word(r, 5), "07 00 02 00");
}

TEST(ButtonCatalogue, DeviceTableSwapsButtonsThreeAndFourAndFixesSlots14And15) {
    ConfigRecord r;  // all zero: every button is Click
    std::string expected;
    for (int slot = 0; slot < 32; ++slot) {
        const char* word = slot < 7 ? "0100F000" : slot == 14 ? "0100F700" : "00000000";
        expected += slot == 15 ? "0100F800" : word;
    }
    EXPECT_EQ(HexString(BuildDeviceButtonTable(r)), expected);

    r[rec::kButtonFunction + 3] = kFunctionForward;
    r[rec::kButtonFunction + 4] = kFunctionBack;
    r[rec::kButtonFunction + 5] = kFunctionFn;  // encodes as zeros; slots 14 and 15 are unaffected
    const DeviceButtonTable table = BuildDeviceButtonTable(r);
    EXPECT_EQ(HexString(std::span(table).subspan(12, 4)), "0100F300");
    EXPECT_EQ(HexString(std::span(table).subspan(16, 4)), "0100F400");
    EXPECT_EQ(HexString(std::span(table).subspan(20, 4)), "00000000");
    EXPECT_EQ(HexString(std::span(table).subspan(56, 8)), "0100F7000100F800");
}

TEST(ButtonCatalogue, IndexLookups) {
    EXPECT_EQ(BasicCommandCode(0), 0x11);
    EXPECT_EQ(BasicCommandCode(9), 0x04);
    EXPECT_EQ(BasicCommandCode(10), 0);
    EXPECT_EQ(BasicCommandCode(-1), 0);
    EXPECT_EQ(MultimediaUsage(5), 0xE2);
    EXPECT_EQ(MultimediaUsage(8), 0);
    for (size_t i = 0; i < MultimediaCommands().size(); ++i) {
        EXPECT_EQ(MultimediaCommands()[i].command, cmd::kMultimediaFirst + static_cast<int>(i));
    }
    EXPECT_EQ(BasicCommands().back().command, cmd::kBasicLast);
    EXPECT_EQ(AdditionalCommands().back().command, cmd::kAdditionalLast);
}

TEST(ButtonCatalogue, LabelsFollowTheLanguage) {
    Localisation en, de, chs, unknown;
    en.Load("EN");
    de.Load("DE");
    chs.Load("CHS");
    chs.CopyDpiLabelsFromTexts();
    unknown.Load("fr");
    struct Case {
        const Localisation* localisation;
        uint8_t function;
        int parameter;
        const char* name;
        const char* label;
    };
    const Case cases[] = {
        {&en, kFunctionScroll, 0, "", "Scroll "},
        {&en, kFunctionDoubleClick, 0, "", "Double-Click"},
        {&de, kFunctionClick, 0, "", "Klick"},
        {&chs, kFunctionDpi, kDpiLoop, "", "DPI loop"},
        {&en, kFunctionDpi, 4, "", ""},
        {&en, kFunctionMultimedia, 0xE2, "", "Mute"},
        {&de, kFunctionMultimedia, 0xE9, "", "Lautstärke +"},
        {&chs, kFunctionBasicCommand, 0x1D, "", "撤销"},
        {&en, kFunctionAdditionalCommand, 5, "", "Show desktop"},
        {&unknown, kFunctionAdditionalCommand, 5, "",
         "Show desktop"},                       // lists fall back to English
        {&unknown, kFunctionClick, 0, "", ""},  // the text table does not
        {&en, kFunctionSingleKey, 0, "Right Ctrl", "Assign Keyboard Key-Right Ctrl"},
        {&de, kFunctionSingleKey, 0, "Strg-Rechts", "Keyboard-Taste zuweisen +-Strg-Rechts"},
        {&en, kFunctionMacro, 0, "Macro_1", "Macro:Macro_1"},
        {&en, kFunctionDeactivated, 0, "", "Deactivated"},
        {&en, kFunctionRightTilt, 0, "", "Right Tilt Scroll"},
        {&chs, kFunctionFn, 0, "", "Fn"},
        {&en, 12, 0, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposeButtonLabel(*c.localisation, c.function, c.parameter, c.name), c.label)
            << int(c.function) << " " << c.parameter;
    }
}

TEST(ButtonCatalogue, TheLastClickButtonIsProtected) {
    ConfigRecord r;
    for (size_t i = 0; i < kButtonCount; ++i) {
        r[rec::kButtonFunction + i] = kFunctionMenu;
    }
    EXPECT_FALSE(IsLastClickButton(r, 0)) << "no Click at all: the rule never fires";
    r[rec::kButtonFunction + 2] = kFunctionClick;
    EXPECT_TRUE(IsLastClickButton(r, 2));
    EXPECT_FALSE(IsLastClickButton(r, 1));
    r[rec::kButtonFunction + 6] = kFunctionClick;
    EXPECT_FALSE(IsLastClickButton(r, 2));
    EXPECT_FALSE(IsLastClickButton(r, 6));
    r[rec::kButtonFunction + 7] = kFunctionClick;  // entry 7 is not a button
    r[rec::kButtonFunction + 6] = kFunctionMenu;
    EXPECT_TRUE(IsLastClickButton(r, 2));
}

}  // namespace
}  // namespace ventrio
