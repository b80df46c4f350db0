#include "app/localisation.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

int DefinedEntries(const TextTable& table) {
    int count = 0;
    for (int i = 0; i < kTextTableSize; ++i) {
        count += table.Text(i).empty() ? 0 : 1;
    }
    return count;
}

TEST(Localisation, EveryLanguageHasItsEntriesAndLeavesOutTheRightOnes) {
    // 151 entries; German lacks 3, Simplified Chinese 8, Traditional Chinese 11.
    const std::pair<const char*, int> cases[] = {
        {"EN", 151}, {"DE", 148}, {"CHS", 143}, {"CHT", 140}};
    for (const auto& [code, expected] : cases) {
        TextTable table;
        table.Load(code);
        EXPECT_EQ(DefinedEntries(table), expected) << code;
    }
}

TEST(Localisation, TextsAreKeptByteForByte) {
    struct Case {
        const char* code;
        int entry;
        const char* text;
    };
    const Case cases[] = {
        {"EN", 0, "Setting-EN"},
        {"CHT", 0, "Setting-CHT"},
        {"EN", 46, "Scroll One screenn"},
        {"EN", 494, "Non-Disolay"},
        {"EN", 500, "Scroll "},
        {"CHT", 19, "DPI  設定"},
        {"EN", 534, "Switch DPI into the first stage "},
        {"EN", 540, "Switch DPI into the seven stage "},
        {"EN", 523, "At least one button must be set as the \"click\" function."},
        {"DE", 523, "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein."},
        {"EN", 575, "It doesn’t start recording, unnecessary to press Stop key!"},
        {"EN", 6, "Korvex2016版"},
        {"DE", 42, "DPI Schleife"},
        {"CHS", 42, "DPI loop"},
        {"CHT", 42, "DPI 循環檔"},
        {"CHS", 40, "DPI +"},
        {"DE", 587, ""},
        {"CHS", 456, ""},
        {"CHT", 589, ""},
        {"CHS", 589, "开启"},
        {"EN", 488, "DPI Stage Color "},
        {"EN", 1, ""},
        {"EN", 589, "ON"},
        {"EN", 590, ""},
        {"EN", -1, ""},
    };
    for (const Case& c : cases) {
        TextTable table;
        table.Load(c.code);
        EXPECT_EQ(table.Text(c.entry), c.text) << c.code << " " << c.entry;
    }
    TextTable english;
    english.Load("EN");
    EXPECT_TRUE(english.Text(524).starts_with("https://")) << "the maker's web address";
}

TEST(Localisation, UnknownCodesFillOnlyTheCommonEntries) {
    for (const char* code : {"", "en", "FR", "CHS "}) {
        TextTable table;
        table.Load(code);
        EXPECT_EQ(table.Text(252), "PROFILE 1") << code;
        EXPECT_EQ(table.Text(489), "DPI Stage Color ") << code;
        EXPECT_EQ(table.Text(8), "") << code;
        EXPECT_EQ(table.Text(0), "") << code;
        EXPECT_EQ(DefinedEntries(table), 11) << code;
    }
}

TEST(Localisation, ListsFontsAndCodes) {
    EXPECT_EQ(ListLanguage("CHS"), Language::SimplifiedChinese);
    EXPECT_EQ(ListLanguage("CHT"), Language::TraditionalChinese);
    EXPECT_EQ(ListLanguage("DE"), Language::German);
    for (const char* code : {"EN", "", "en", "de", "XYZ"}) {
        EXPECT_EQ(ListLanguage(code), Language::English) << code;
    }
    EXPECT_TRUE(IsLanguage("CHS", "CHS"));
    EXPECT_FALSE(IsLanguage("chs", "CHS"));

    EXPECT_EQ(FontFace("CHS"), "黑体");
    EXPECT_EQ(FontFace("CHT"), "黑体");
    EXPECT_EQ(FontFace("de"), "Arial");
    EXPECT_EQ(MainWindowFontsFor("CHT").mainCharset, 0);
    EXPECT_EQ(MainWindowFontsFor("CHS").mainCharset, 1);
    EXPECT_EQ(MainWindowFontsFor("EN").face, "Arial");
}

TEST(Localisation, LanguageCodeComesFromTheLabelFile) {
    test::TempDir dir;
    IniFile(dir / "str0.ini").WriteString("Skins", "Lan", "DE");
    IniFile(dir / "str1.ini").WriteString("Setting-EN", "Item1", "Click");
    EXPECT_EQ(LoadLanguageCode(dir / "str0.ini"), "DE");
    EXPECT_EQ(LoadLanguageCode(dir / "str1.ini"), "");
    EXPECT_EQ(LoadLanguageCode(dir / "none.ini"), "");
    EXPECT_EQ(LoadLanguageCode({}), "");
}

TEST(Localisation, DpiLabelsStartEnglishAndFollowTheLanguage) {
    Localisation localisation;
    EXPECT_EQ(localisation.dpiLabels[2], "DPI Loop");
    localisation.Load("CHT");
    EXPECT_EQ(localisation.dpiLabels[2], "DPI Loop") << "copied only at the end of start-up";
    localisation.CopyDpiLabelsFromTexts();
    EXPECT_EQ(localisation.dpiLabels, (std::array<std::string, 3>{"DPI +", "DPI -", "DPI 循環檔"}));
}

}  // namespace
}  // namespace ventrio
