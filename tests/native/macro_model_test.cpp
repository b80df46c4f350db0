#include "macro/macro_model.h"

#include <gtest/gtest.h>

namespace ventrio {
namespace {

TEST(MacroModel, LinesAreToldApartBySubstring) {
    struct Case {
        const char* line;
        MacroLineKind kind;
        const char* keyName;
        bool delay;          // for the encoder and the delay insert: holds "ms"
        bool editableDelay;  // for the delay edit: holds " ms"
    };
    const Case cases[] = {
        {"A   Dn", MacroLineKind::Press, "A", false, false},
        {"L-Button   Up", MacroLineKind::Release, "L-Button", false, false},
        {"120 ms", MacroLineKind::Other, "120 ms", true, true},
        {"120ms", MacroLineKind::Other, "120ms", true, false},
        {"   Dn", MacroLineKind::Press, "", false, false},  // a key the recorder had no name for
        {"A  Dn", MacroLineKind::Other, "A  Dn", false, false},  // two blanks are no marker
        {"A   Up   Dn", MacroLineKind::Press, "A   Up", false, false},
        {"X   Dn   Dn", MacroLineKind::Press, "X", false, false},
        {"Num Enter   Up", MacroLineKind::Release, "Num Enter", false, false},
        {"", MacroLineKind::Other, "", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KindOfLine(c.line), c.kind) << c.line;
        EXPECT_EQ(KeyNameOfLine(c.line), c.keyName) << c.line;
        EXPECT_EQ(IsDelayLine(c.line), c.delay) << c.line;
        EXPECT_EQ(IsEditableDelayLine(c.line), c.editableDelay) << c.line;
    }
    EXPECT_EQ(PressLine("A"), "A   Dn");
    EXPECT_EQ(ReleaseLine("R-Button"), "R-Button   Up");
    EXPECT_EQ(DelayLine(65535), "65535 ms");
}

TEST(MacroModel, TheTwoFlagRules) {
    struct Case {
        const char* stored;
        bool onOpen;
        bool onSelectWasOff;
        bool onSelectWasOn;
    };
    const Case cases[] = {
        {"1", true, true, true},    {"0", false, false, false},   {"", false, false, false},
        {"2", false, false, true},  {"-1", false, false, true},   {" 1", true, true, true},
        {"1abc", true, true, true}, {"abc", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecordDelayFlagOnOpen(c.stored), c.onOpen) << '"' << c.stored << '"';
        EXPECT_EQ(RecordDelayFlagOnSelect(c.stored, false), c.onSelectWasOff)
            << '"' << c.stored << '"';
        EXPECT_EQ(RecordDelayFlagOnSelect(c.stored, true), c.onSelectWasOn)
            << '"' << c.stored << '"';
    }
}

TEST(MacroModel, TheLoopCountRule) {
    struct Case {
        const char* text;
        std::optional<uint16_t> inRange;
        uint16_t count;
        bool ticked;
    };
    const Case cases[] = {
        {"1", 1, 1, false},
        {"2", 2, 2, true},
        {"300", 300, 300, true},
        {"65535", 65535, 65535, true},
        {"65536", std::nullopt, 1, false},
        {"70000", std::nullopt, 1, false},
        {"0", std::nullopt, 1, false},
        {"", std::nullopt, 1, false},  // a missing key
        {"-3", std::nullopt, 1, false},
        {"12x", 12, 12, true},
        {"99999999999999999999", std::nullopt, 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoopCountInRange(c.text), c.inRange) << c.text;
        EXPECT_EQ(LoopCountFromText(c.text), c.count) << c.text;
        EXPECT_EQ(LoopBoxTicked(c.text), c.ticked) << c.text;
    }
}

TEST(MacroModel, NextMacroNameFollowsTheLastName) {
    using Names = std::vector<std::string>;
    struct Case {
        Names names;
        const char* base;
        std::optional<std::string> next;
    };
    const Names eleven = {"M_1", "M_2", "M_3", "M_4",  "M_5", "M_6",
                          "M_7", "M_8", "M_9", "M_10", "M_11"};
    Names twelve = eleven;
    twelve.push_back("M_12");
    const Case cases[] = {
        {{}, "Macro", "Macro_1"},
        {{"Macro_1", "Macro_2"}, "Macro", "Macro_3"},
        {{"Macro_3", "Macro_1"}, "Macro", "Macro_2"},  // only the last name counts
        {{"Macro_5", "Macro_2"}, "Macro", "Macro_3"},
        {{"Keys"}, "Makro", "Makro_2"},                       // no "_": one more than the count
        {{"My_keys"}, "Macro", "Macro_1"},                    // no digits after the first "_"
        {{"a_7_9"}, "Macro", "Macro_8"},                      // after the first "_"
        {{"Macro_41x"}, "Macro", "Macro_42"},                 // leading digits count
        {{"Macro_1", "My_keys"}, "Macro", "Macro_2"},         // Macro_1 is taken: skipped
        {{"macro_3", "MACRO_2"}, "Macro", "Macro_4"},         // taken regardless of case
        {{"Macro_2", "Macro_3", "x_1"}, "Macro", "Macro_4"},  // skips as far as needed
        {{}, "宏", "宏_1"},
        {{}, "", "_1"},  // an unknown language has no base word
        {eleven, "Macro", "Macro_12"},
        {twelve, "Macro", std::nullopt},
        {{"Macro_2147483647"}, "Macro", "Macro_2147483648"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextMacroName(c.names, c.base), c.next)
            << (c.names.empty() ? "(none)" : c.names.back());
    }
}

TEST(MacroModel, NamesThatShareASectionAreTheSame) {
    const std::vector<std::string> others = {"Macro_1", "Keys"};
    struct Case {
        const char* name;
        MacroNameProblem problem;
    };
    const Case cases[] = {
        {"Macro_2", MacroNameProblem::None},
        {"Macro_1 x", MacroNameProblem::None},
        {"a]b=c", MacroNameProblem::None},
        {"", MacroNameProblem::Blank},
        {"  \t ", MacroNameProblem::Blank},
        {"\r\n", MacroNameProblem::Blank},  // line breaks are stored as blanks
        {"macro_1", MacroNameProblem::AlreadyExists},
        {" KEYS\t", MacroNameProblem::AlreadyExists},
        {"MacroName", MacroNameProblem::AlreadyExists},  // the names section's own
        {"macroname ", MacroNameProblem::AlreadyExists},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckMacroName(c.name, others), c.problem) << '"' << c.name << '"';
    }
    EXPECT_TRUE(SameMacroSection("Ärger", "ärger"));
    EXPECT_TRUE(SameMacroSection("a\nb", "a b"));
    EXPECT_FALSE(SameMacroSection("宏_1", "宏_2"));
    const std::string longName(1500, 'x');
    EXPECT_TRUE(SameMacroSection(longName, longName.substr(0, 1023)))
        << "only what a reader gets back counts";
    EXPECT_EQ(StoredMacroName(longName).size(), 1023u);
    EXPECT_EQ(StoredMacroName(std::string("a\r\nb\0c", 6)), "a  b c");
}

}  // namespace
}  // namespace ventrio
