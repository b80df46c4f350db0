#include "macro/macro_store.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/trace.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using Names = std::vector<std::string>;

class MacroStoreTest : public ::testing::Test {
  protected:
    void WriteStore(std::string_view text) { test::WriteBytes(path, test::Utf16File(text)); }

    test::TempDir dir;
    std::filesystem::path path = dir / "record.ini";
    MacroStore store{path};
    FakeClock clock;
};

const Macro kMacro1 = {"Macro_1", 3, true, {"A   Dn", "120 ms", "A   Up"}};
const Macro kMacro2 = {"Macro_2", 2, false, {"L-Button   Dn", "L-Button   Up"}};

// A session of the macro manager, store call by store call, from a missing file: New, record,
// New, insert a click and set the loop count, OK; then delete the first macro.
TEST_F(MacroStoreTest, AManagerSessionWritesExactlyTheseBytes) {
    Names names;
    EXPECT_EQ(store.WriteMacroToIni(names, nullptr, clock), MacroSaveOutcome::NotSaved);
    EXPECT_FALSE(store.Exists()) << "a save never creates the store";

    names.push_back(*NextMacroName(names, "Macro"));
    store.WriteLoopCount(names[0], 1);  // the new macro's loop field brings the file into being
    store.WriteLoopCount(names[0], 1);  // and loading it as selected stores the rule's value again
    store.WriteLoopCount(names[0], 3);
    EXPECT_EQ(store.WriteMacroToIni(names, &kMacro1, clock), MacroSaveOutcome::MacroWritten);

    EXPECT_EQ(store.WriteMacroToIni(names, &kMacro1, clock), MacroSaveOutcome::MacroWritten);
    names.push_back(*NextMacroName(names, "Macro"));
    store.WriteLoopCount(names[1], 1);
    store.WriteLoopCount(names[1], 2);
    EXPECT_EQ(store.WriteMacroToIni(names, &kMacro2, clock), MacroSaveOutcome::MacroWritten);

    EXPECT_EQ(test::ReadBytes(path), test::Utf16File("[Macro_1]\r\n"
                                                     "DelayTimeSelStatus=1\r\n"
                                                     "MacroLoopTimes=3\r\n"
                                                     "ItemCount=3\r\n"
                                                     "Item0=A   Dn\r\n"
                                                     "Item1=120 ms\r\n"
                                                     "Item2=A   Up\r\n"
                                                     "[MacroName]\r\n"
                                                     "MacroCount=2\r\n"
                                                     "0=Macro_1\r\n"
                                                     "1=Macro_2\r\n"
                                                     "[Macro_2]\r\n"
                                                     "DelayTimeSelStatus=0\r\n"
                                                     "MacroLoopTimes=2\r\n"
                                                     "ItemCount=2\r\n"
                                                     "Item0=L-Button   Dn\r\n"
                                                     "Item1=L-Button   Up\r\n"));
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{100, 100, 100}));

    names.erase(names.begin());
    store.WriteMacroNames(names);
    store.RemoveMacroSection("Macro_1");
    EXPECT_EQ(test::ReadBytes(path), test::Utf16File("[Macro_2]\r\n"
                                                     "DelayTimeSelStatus=0\r\n"
                                                     "MacroLoopTimes=2\r\n"
                                                     "ItemCount=2\r\n"
                                                     "Item0=L-Button   Dn\r\n"
                                                     "Item1=L-Button   Up\r\n"
                                                     "[MacroName]\r\n"
                                                     "MacroCount=1\r\n"
                                                     "0=Macro_2\r\n"));

    store.WriteMacroNames({});
    store.RemoveMacroSection("Macro_2");
    EXPECT_EQ(test::ReadBytes(path), test::Utf16File("[MacroName]\r\nMacroCount=0\r\n0=\r\n"));
    EXPECT_TRUE(store.ReadMacroNames().empty());
    EXPECT_EQ(clock.Sleeps().size(), 3u) << "names and removals do not pause";
}

TEST_F(MacroStoreTest, ReadingFollowsTheDecimalRuleAndMissingKeys) {
    struct Case {
        const char* what;
        const char* file;
        Names names;
    };
    const Case cases[] = {
        {"the empty store", "[MacroName]\r\nMacroCount=0\r\n0=\r\n", {}},
        {"a negative count", "[MacroName]\r\nMacroCount=-2\r\n0=A\r\n", {}},
        {"no count", "[MacroName]\r\n0=A\r\n", {}},
        {"a missing name key", "[MacroName]\r\nMacroCount=3\r\n0=A\r\n2=C\r\n", {"A", "", "C"}},
        {"leading digits", "[macroname]\r\nMACROCOUNT=2x\r\n0=A\r\n1=B\r\n2=C\r\n", {"A", "B"}},
        {"the first section wins",
         "[MacroName]\r\nMacroCount=1\r\n0=A\r\n[MacroName]\r\n0=B\r\n",
         {"A"}},
    };
    for (const Case& c : cases) {
        WriteStore(c.file);
        EXPECT_EQ(store.ReadMacroNames(), c.names) << c.what;
    }

    WriteStore(
        "[Listed]\r\nDelayTimeSelStatus=2\r\nMacroLoopTimes=0\r\nItemCount=3\r\nItem0=A   Dn\r\n"
        "Item2=A   Up\r\n");
    EXPECT_EQ(store.ReadMacro("listed"), (StoredMacro{"2", "0", {"A   Dn", "", "A   Up"}}));
    EXPECT_EQ(store.ReadMacro("Unlisted"), StoredMacro{}) << "a name without a section";

    std::filesystem::remove(path);
    EXPECT_TRUE(store.ReadMacroNames().empty());
    EXPECT_EQ(store.ReadMacro("Listed"), StoredMacro{});
}

TEST_F(MacroStoreTest, AbsurdCountsAreLimitedNotAllocated) {
    WriteStore(
        "[MacroName]\r\nMacroCount=2000000000\r\n0=Big\r\n[Big]\r\nItemCount=99999999999\r\n");
    const TraceCapture trace;
    EXPECT_EQ(store.ReadMacroNames().size(), static_cast<size_t>(MacroStore::kMaxNames));
    EXPECT_EQ(store.ReadMacro("Big").lines.size(), static_cast<size_t>(MacroStore::kMaxLines));
    EXPECT_NE(trace.Text().find("MacroCount of [MacroName] is 2000000000; only the first 1024"),
              std::string::npos)
        << trace.Text();
}

TEST_F(MacroStoreTest, TheManagersSaveNeedsAFileAndNames) {
    EXPECT_EQ(store.WriteMacroToIni({"Macro_1"}, &kMacro1, clock), MacroSaveOutcome::NotSaved);
    EXPECT_FALSE(store.Exists());

    WriteStore("[MacroName]\r\nMacroCount=0\r\n0=\r\n");
    EXPECT_EQ(store.WriteMacroToIni({}, &kMacro1, clock), MacroSaveOutcome::NotSaved);
    EXPECT_EQ(store.ReadMacro("Macro_1"), StoredMacro{});

    EXPECT_EQ(store.WriteMacroToIni({"Macro_1"}, nullptr, clock), MacroSaveOutcome::NamesOnly);
    EXPECT_EQ(store.ReadMacroNames(), Names{"Macro_1"});

    EXPECT_EQ(store.WriteMacroToIni({"Macro_1"}, &kMacro1, clock), MacroSaveOutcome::MacroWritten);
    Macro emptied = kMacro1;
    emptied.lines.clear();
    EXPECT_EQ(store.WriteMacroToIni({"Macro_1"}, &emptied, clock),
              MacroSaveOutcome::SectionRemoved);
    EXPECT_EQ(store.ReadMacroNames(), Names{"Macro_1"}) << "the name stays listed";
    EXPECT_EQ(store.ReadMacro("Macro_1"), StoredMacro{});
    EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{100}) << "only a written macro pauses";
}

TEST_F(MacroStoreTest, WriteMacroReplacesEveryCopyOfItsSection) {
    // A hand-edited file with the section twice: removing only the first would let the reader
    // find the stale second copy instead of what was just written.
    WriteStore(
        "[Macro_1]\r\nItemCount=1\r\nItem0=old\r\n[x]\r\n[MACRO_1]\r\nItemCount=1\r\n"
        "Item0=older\r\n");
    store.WriteMacro(kMacro1);
    EXPECT_EQ(store.ReadMacro("Macro_1"), (StoredMacro{"1", "3", kMacro1.lines}));
    store.RemoveMacroSection("macro_1");
    EXPECT_EQ(store.ReadMacro("Macro_1"), StoredMacro{});
    EXPECT_EQ(test::ReadUtf16File(path), "[x]\r\n");
}

TEST_F(MacroStoreTest, RemovingFromAMissingStoreCreatesNothing) {
    store.RemoveMacroSection("Macro_1");
    EXPECT_FALSE(store.Exists());
    store.WriteLoopCount("Macro_1", 65535);
    EXPECT_EQ(test::ReadUtf16File(path), "[Macro_1]\r\nMacroLoopTimes=65535\r\n");
}

TEST_F(MacroStoreTest, NamesSharingASectionShareTheirData) {
    // Section names compare without case: the format gives both names one section.
    store.WriteMacroNames({"Macro_1", "MACRO_1"});
    store.WriteMacro(kMacro1);
    Macro upper = kMacro2;
    upper.name = "MACRO_1";
    store.WriteMacro(upper);
    EXPECT_EQ(store.ReadMacro("Macro_1"), (StoredMacro{"0", "2", kMacro2.lines}));
}

// Whatever a macro is called, writing and removing it leaves every other macro and the names
// section as they were, and the macro itself reads back under the name the list gives back.
TEST_F(MacroStoreTest, HostileNamesDamageNothingElse) {
    const Macro other = {"Other", 7, true, {"B   Dn", "B   Up"}};
    const std::string hostileLine = "Z   Dn\r\n[MacroName]\r\nMacroCount=99";
    struct Case {
        std::string name;
        std::string storedAs;  // what the names section gives back
    };
    const Case cases[] = {
        {"]", "]"},
        {"a]b", "a]b"},
        {"[Other]", "[Other]"},
        {"[", "["},
        {"x=y", "x=y"},
        {"=", "="},
        {"Item0=Z   Dn", "Item0=Z   Dn"},
        {"a\r\nb", "a  b"},
        {"\n[Other]\nItemCount=0", " [Other] ItemCount=0"},
        {"\n[MacroName]\nMacroCount=0", " [MacroName] MacroCount=0"},
        {"  leading", "  leading"},
        {"trailing\t", "trailing\t"},
        {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},
        {"\"", "\""},
        {";comment", ";comment"},
        {"", ""},
        {"   ", "   "},
        {"MacroCount", "MacroCount"},
        {"0", "0"},
        {"Ärger_宏", "Ärger_宏"},
        {std::string("nul\0byte", 8), "nul byte"},
        {std::string(1500, 'L'), std::string(1023, 'L')},
    };
    for (const Case& c : cases) {
        const std::string label = "name \"" + c.name.substr(0, 40) + "\"";
        std::filesystem::remove(path);
        store.WriteMacroNames({"Macro_1", "Other"});
        store.WriteMacro(kMacro1);
        store.WriteMacro(other);

        const Names names = {"Macro_1", c.name, "Other"};
        const Macro hostile = {c.name, 5, true, {hostileLine, "10 ms", "Z   Up"}};
        EXPECT_EQ(store.WriteMacroToIni(names, &hostile, clock), MacroSaveOutcome::MacroWritten)
            << label;
        EXPECT_EQ(store.ReadMacroNames(), (Names{"Macro_1", c.storedAs, "Other"})) << label;
        EXPECT_EQ(store.ReadMacro("Macro_1"), (StoredMacro{"1", "3", kMacro1.lines})) << label;
        EXPECT_EQ(store.ReadMacro("Other"), (StoredMacro{"1", "7", other.lines})) << label;
        EXPECT_EQ(
            store.ReadMacro(c.storedAs),
            (StoredMacro{"1", "5", {"Z   Dn  [MacroName]  MacroCount=99", "10 ms", "Z   Up"}}))
            << label;

        store.WriteLoopCount(c.name, 9);
        EXPECT_EQ(store.ReadMacro(c.storedAs).loopTimes, "9") << label;
        store.WriteMacroNames({"Macro_1", "Other"});
        store.RemoveMacroSection(c.name);
        EXPECT_EQ(store.ReadMacroNames(), (Names{"Macro_1", "Other"})) << label;
        EXPECT_EQ(store.ReadMacro(c.storedAs), StoredMacro{}) << label;
        EXPECT_EQ(store.ReadMacro("Macro_1"), (StoredMacro{"1", "3", kMacro1.lines})) << label;
        EXPECT_EQ(store.ReadMacro("Other"), (StoredMacro{"1", "7", other.lines})) << label;
    }
}

TEST_F(MacroStoreTest, TheNamesSectionCannotBeAMacro) {
    for (const char* name : {"MacroName", "macroname", " MACRONAME\t", "MacroName\r\n"}) {
        std::filesystem::remove(path);
        store.WriteMacroNames({"Macro_1", name});
        store.WriteMacro(kMacro1);
        const TraceCapture trace;
        const Macro reserved = {name, 4, false, {"A   Dn"}};
        EXPECT_EQ(store.WriteMacroToIni({"Macro_1", name}, &reserved, clock),
                  MacroSaveOutcome::NamesOnly)
            << name;
        store.WriteMacro(reserved);
        store.WriteLoopCount(name, 4);
        store.RemoveMacroSection(name);
        EXPECT_EQ(store.ReadMacroNames().size(), 2u) << name;
        EXPECT_EQ(store.ReadMacro("Macro_1").lines, kMacro1.lines) << name;
        EXPECT_EQ(store.ReadMacro(name), StoredMacro{}) << name;
        EXPECT_NE(trace.Text().find("is the names section; write refused\n"), std::string::npos)
            << trace.Text();
    }
}

}  // namespace
}  // namespace ventrio
