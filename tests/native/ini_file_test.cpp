#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/text_encoding.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using test::ReadBytes;
using test::ReadText;
using test::TempDir;
using test::WriteBytes;
using test::WriteText;

constexpr std::string_view kFixture =
    "; the first line is a comment\r\n"
    "[Profile]\r\n"
    "ItemCount=2\r\n"
    "  Item0 =  Spaced Name  \r\n"
    "item0=second occurrence\r\n"
    "Quoted=\"  kept blanks  \"\r\n"
    "Single='x'\r\n"
    "Bare\r\n"
    "\r\n"
    "[ profile ]\r\n"
    "ItemCount=9\r\n"
    "Other=in the duplicate section\r\n"
    "[Überblick]\r\n"
    "Schlüssel=Wert\r\n";

TEST(IniFile, ReadsTheWayThePrivateProfileFunctionsDo) {
    TempDir dir;
    WriteText(dir / "a.ini", kFixture);
    const IniFile ini(dir / "a.ini");
    struct Case {
        std::string_view section, key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Profile", "ItemCount", "2"},
        {"PROFILE", "itemcount", "2"},             // names ignore case
        {" Profile ", "Item0", "Spaced Name"},     // blanks around names and values go
        {"Profile", "ITEM0", "Spaced Name"},       // first key wins
        {"Profile", "Quoted", "  kept blanks  "},  // one pair of quotes goes
        {"Profile", "Single", "x"},
        {"Profile", "Bare", ""},             // a line without "=" is a key
        {"Profile", "Other", std::nullopt},  // only the first section counts
        {"überblick", "SCHLÜSSEL", "Wert"},  // case folding beyond ASCII
        {"Missing", "ItemCount", std::nullopt},
        {"Profile", "Missing", std::nullopt},
        {"", "ItemCount", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.Find(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
    EXPECT_EQ(ini.GetString("Missing", "Key", "fallback"), "fallback");
    EXPECT_EQ(IniFile(dir / "none.ini").GetString("Profile", "ItemCount"), "");
}

TEST(IniFile, ValuesAreCutAt1023Characters) {
    TempDir dir;
    const std::string longValue(1030, 'v');
    // 1022 ASCII characters and then a character outside the BMP, which takes two units.
    const std::string astral = std::string(1022, 'a') + "\xF0\x9F\x98\x80" + "tail";
    WriteText(dir / "a.ini", "[S]\r\nLong=" + longValue + "\r\nAstral=" + astral + "\r\n");
    const IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.GetString("S", "Long"), std::string(1023, 'v'));
    EXPECT_EQ(ini.GetString("S", "Astral"), std::string(1022, 'a'));
}

TEST(IniFile, WritesChangeOnlyTheLinesConcerned) {
    TempDir dir;
    WriteText(dir / "a.ini",
              "; comment\r\n[A]\r\nkey1=old\r\n  ; note inside A\r\n\r\n[B]\r\nx=1\r\n");
    IniFile ini(dir / "a.ini");
    EXPECT_TRUE(ini.WriteString("a", "KEY1", "new"));    // replaced in place, caller's spelling
    EXPECT_TRUE(ini.WriteString("A", "key2", "added"));  // after the last non-blank line of A
    EXPECT_TRUE(ini.WriteString("C", "y", "2"));         // a new section goes to the end
    EXPECT_EQ(
        ReadText(dir / "a.ini"),
        "; comment\r\n[A]\r\nKEY1=new\r\n  ; note inside A\r\nkey2=added\r\n\r\n[B]\r\nx=1\r\n"
        "[C]\r\ny=2\r\n");

    EXPECT_TRUE(ini.DeleteKey("A", "key1"));
    EXPECT_TRUE(ini.DeleteSection("b"));
    EXPECT_EQ(ReadText(dir / "a.ini"),
              "; comment\r\n[A]\r\n  ; note inside A\r\nkey2=added\r\n\r\n[C]\r\ny=2\r\n");
}

TEST(IniFile, StrayCarriageReturnsAreWhiteSpaceBeforeAndAfterARewrite) {
    TempDir dir;
    // Unix line endings, with carriage returns left at the ends of two lines; "[ \r" names the
    // empty section as much as "[]" does.
    WriteText(dir / "a.ini", "[ \r\nk=first\n[]\nk=second\r\n");
    IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.GetString("", "k"), "first");
    EXPECT_TRUE(ini.WriteString("other", "x", "1"));
    EXPECT_EQ(ini.GetString("", "k"), "first");
    EXPECT_TRUE(ini.DeleteSection(""));
    EXPECT_EQ(ini.GetString("", "k"), "second");
}

TEST(IniFile, KeepsLineEndingsAndAMissingFinalLineBreak) {
    TempDir dir;
    WriteText(dir / "unix.ini", "[A]\nk=v");
    IniFile ini(dir / "unix.ini");
    EXPECT_TRUE(ini.WriteString("A", "n", "w"));
    EXPECT_EQ(ReadText(dir / "unix.ini"), "[A]\nk=v\nn=w\n");
}

TEST(IniFile, FirstWriteCreatesAUtf16FileAndDeletesNeverCreate) {
    TempDir dir;
    IniFile ini(dir / "new.ini");
    EXPECT_TRUE(ini.DeleteSection("A"));
    EXPECT_TRUE(ini.DeleteKey("A", "k"));
    EXPECT_FALSE(std::filesystem::exists(dir / "new.ini"));

    EXPECT_TRUE(ini.WriteString("MacroName", "MacroCount", "0"));
    EXPECT_TRUE(ini.WriteString("MacroName", "0", ""));
    EXPECT_EQ(ReadBytes(dir / "new.ini"), test::Utf16File("[MacroName]\r\nMacroCount=0\r\n0=\r\n"));
    EXPECT_EQ(ini.Find("MacroName", "0"), "");
}

TEST(IniFile, ReadsEveryEncodingAndKeepsItWhenNothingWouldBeLost) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        std::string write;           // value written to [S] w
        std::vector<uint8_t> after;  // the whole file afterwards
    };
    const auto bytes = [](std::string_view text) {
        return std::vector<uint8_t>(text.begin(), text.end());
    };
    const auto utf8Bom = [&](std::string_view text) {
        std::vector<uint8_t> out = {0xEF, 0xBB, 0xBF};
        const auto body = bytes(text);
        out.insert(out.end(), body.begin(), body.end());
        return out;
    };
    const Case cases[] = {
        {"UTF-16LE stays UTF-16LE", test::Utf16File("[S]\r\nk=Grüße 你好\r\n"), "新",
         test::Utf16File("[S]\r\nk=Grüße 你好\r\nw=新\r\n")},
        {"UTF-8 with BOM stays", utf8Bom("[S]\r\nk=Grüße 你好\r\n"), "新",
         utf8Bom("[S]\r\nk=Grüße 你好\r\nw=新\r\n")},
        {"UTF-8 without BOM stays", bytes("[S]\r\nk=Grüße 你好\r\n"), "新",
         bytes("[S]\r\nk=Grüße 你好\r\nw=新\r\n")},
        {"ASCII stays ASCII for ASCII", bytes("[S]\r\nk=v\r\n"), "plain",
         bytes("[S]\r\nk=v\r\nw=plain\r\n")},
        {"ASCII gaining other text turns UTF-16LE", bytes("[S]\r\nk=v\r\n"), "你好",
         test::Utf16File("[S]\r\nk=v\r\nw=你好\r\n")},
        {"ANSI stays ANSI for what it can hold",
         bytes("[S]\r\nk=Gr\xFC\xDF"
               "e\r\n"),
         "\xC3\xB6\xE2\x82\xAC",
         bytes("[S]\r\nk=Gr\xFC\xDF"
               "e\r\nw=\xF6\x80\r\n")},
        {"ANSI gaining Chinese turns UTF-16LE without loss",
         bytes("[S]\r\nk=Gr\xFC\xDF"
               "e\r\n"),
         "你好", test::Utf16File("[S]\r\nk=Grüße\r\nw=你好\r\n")},
        {"an empty file is a new file", {}, "x", test::Utf16File("[S]\r\nw=x\r\n")},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir / "a.ini", c.file);
        IniFile ini(dir / "a.ini");
        if (!c.file.empty()) {
            EXPECT_NE(ini.Find("S", "k"), std::nullopt) << c.name;
        }
        EXPECT_TRUE(ini.WriteString("S", "w", c.write)) << c.name;
        EXPECT_EQ(ReadBytes(dir / "a.ini"), c.after) << c.name;
        EXPECT_EQ(ini.Find("S", "w"), c.write) << c.name;
    }
}

TEST(IniFile, AnAnsiFileNeverTurnsIntoUtf8UnderItsReader) {
    TempDir dir;
    // "\xC3\xA9" is two ANSI characters here; only the other line makes the file invalid UTF-8.
    WriteText(dir / "a.ini", "[S]\r\nk=\xC3\xA9\r\nbad=\xFF\r\n");
    IniFile ini(dir / "a.ini");
    ASSERT_EQ(ini.GetString("S", "k"), "Ã©");
    EXPECT_TRUE(ini.DeleteKey("S", "bad"));
    EXPECT_EQ(ini.GetString("S", "k"), "Ã©");
    EXPECT_EQ(test::ReadBytes(dir / "a.ini"), test::Utf16File("[S]\r\nk=Ã©\r\n"));
}

TEST(IniFile, AnsiFilesAreDecodedWithTheCodePage) {
    TempDir dir;
    WriteText(dir / "a.ini",
              "[Setting-DE]\r\nItem1=Zur\xFC"
              "ck\r\nItem2=\x80 \x81\r\n");
    const IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.GetString("Setting-DE", "Item1"), "Zurück");
    EXPECT_EQ(ini.GetString("Setting-DE", "Item2"), "€ \xC2\x81");  // undefined bytes survive
}

TEST(IniFile, NoNameOrValueCanInjectStructure) {
    TempDir dir;
    IniFile ini(dir / "store.ini");
    ASSERT_TRUE(ini.WriteString("MacroName", "MacroCount", "2"));
    ASSERT_TRUE(ini.WriteString("Victim", "ItemCount", "1"));

    struct Case {
        std::string section, key, value;
        std::string section_read_as, value_read_as;
    };
    const Case cases[] = {
        {"line\r\n[Victim]\r\nItemCount=99", "k", "v", "line  [Victim]  ItemCount=99", "v"},
        {"S", "k", "a\r\n[Victim]\r\nItemCount=99", "S", "a  [Victim]  ItemCount=99"},
        {"S", "k", "a\n[MacroName]\nMacroCount=0", "S", "a [MacroName] MacroCount=0"},
        {"Macro]x", "k", "v", "Macro]x", "v"},
        {"[Victim", "k", "v", "[Victim", "v"},
        {"]", "k", "v", "]", "v"},
        {"S", "k", "  padded  ", "S", "  padded  "},
        {"S", "k", "\"quoted\"", "S", "\"quoted\""},
        {"S", "k", "'single'", "S", "'single'"},
        {"S", "k", "x=y=z", "S", "x=y=z"},
        {"S", "k", std::string("nul\0inside", 10), "S", "nul inside"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ini.WriteString(c.section, c.key, c.value)) << c.section;
        EXPECT_EQ(ini.Find(c.section_read_as, c.key), c.value_read_as) << c.section;
        EXPECT_EQ(ini.Find(c.section, c.key), c.value_read_as) << c.section;
        EXPECT_EQ(ini.GetString("Victim", "ItemCount"), "1") << c.section;
        EXPECT_EQ(ini.GetString("MacroName", "MacroCount"), "2") << c.section;
    }
    for (const char* key : {"a=b", "[Victim]", "", "  ", " [x"}) {
        EXPECT_FALSE(ini.WriteString("S", key, "v")) << key;
    }
    EXPECT_EQ(ini.GetString("Victim", "ItemCount"), "1");
}

TEST(IniFile, IllFormedUtf8NamesStillFindTheirSection) {
    TempDir dir;
    // A UTF-8 file must not receive bytes that would make it read as the ANSI code page.
    WriteText(dir / "a.ini", "[S]\nk=Grüße\n");
    IniFile ini(dir / "a.ini");
    const std::string name = "bad \xFE[ name";
    ASSERT_TRUE(ini.WriteString(name, "k", "v\xC3"));
    EXPECT_EQ(ini.Find(name, "k"), "v\xEF\xBF\xBD");
    EXPECT_EQ(ini.Find("S", "k"), "Grüße");
}

TEST(IniFile, EveryValueRoundTrips) {
    TempDir dir;
    IniFile ini(dir / "a.ini");
    std::mt19937 random(1234);
    const std::string alphabet = " \t=[];'\"#aZ09ü你\xF0\x9F\x98\x80";
    for (int round = 0; round < 200; ++round) {
        std::string value;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            size_t pos = random() % alphabet.size();
            while (pos > 0 && (static_cast<unsigned char>(alphabet[pos]) & 0xC0) == 0x80) {
                --pos;  // start of a character
            }
            size_t end = pos;
            DecodeUtf8(alphabet, end);
            value += alphabet.substr(pos, end - pos);
        }
        ASSERT_TRUE(ini.WriteString("Section " + value, "Key", value));
        EXPECT_EQ(ini.Find("Section " + value, "Key"), value) << "[" << value << "]";
    }
}

TEST(IniFile, DecimalRuleOfTheCLibrary) {
    const std::pair<std::string_view, long> cases[] = {
        {"42", 42},
        {"  7", 7},
        {"-3", -3},
        {"+5", 5},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {" - 4", 0},
        {"0x10", 0},
        {"70000", 70000},
        {"99999999999999999999999", std::numeric_limits<long>::max()},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(DecimalToLong(text), expected) << text;
    }
}

}  // namespace
}  // namespace ventrio
