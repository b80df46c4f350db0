#include "macro/macro_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "assign/key_tables.h"
#include "config/config_files.h"
#include "platform/hex.h"
#include "platform/ini_file.h"
#include "platform/trace.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using Lines = std::vector<MacroLine>;

// The hex text of a whole slot: the given bytes, then zeros up to 128.
std::string Slot(std::string hex) {
    hex.erase(std::remove(hex.begin(), hex.end(), ' '), hex.end());
    hex.resize(2 * kMacroSlotSize, '0');
    return hex;
}

std::string Encoded(std::string_view loopText, const Lines& lines,
                    KeyNameTable table = KeyNameToCode) {
    std::array<uint8_t, kMacroSlotSize> slot;
    slot.fill(0xEE);  // the encoder owns every byte of the slot
    EncodeMacroLines(loopText, lines, slot, table);
    return HexString(slot);
}

// `count` events alternating press and release of A, each followed by `delay` when it is set.
Lines Events(size_t count, const char* delay = nullptr) {
    Lines lines;
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(i % 2 == 0 ? "A   Dn" : "A   Up");
        if (delay != nullptr) {
            lines.push_back(delay);
        }
    }
    return lines;
}

TEST(MacroEncoder, EventRecordsAndDelays) {
    struct Case {
        const char* what;
        Lines lines;
        const char* bytes;  // after the loop count 00 01
    };
    const Case cases[] = {
        {"press, 100 ms, release", {"A   Dn", "100 ms", "A   Up"}, "0A04 8504"},
        {"two presses in a row wait 50 ms", {"A   Dn", "B   Dn"}, "0504 0505"},
        {"a click as the manager inserts it", {"L-Button   Dn", "L-Button   Up"}, "05F0 85F0"},
        {"mouse buttons", {"M-Button   Dn", "R-Button   Up"}, "05F2 85F1"},
        {"1270 ms press", {"A   Dn", "1270 ms"}, "7F04"},
        {"1270 ms release", {"A   Up", "1270 ms"}, "FF04"},
        {"1271 ms press", {"A   Dn", "1271 ms"}, "4704 0003 000C"},
        {"1271 ms release", {"A   Up", "1271 ms"}, "C704 0003 000C"},
        {"2000 ms", {"A   Dn", "2000 ms"}, "0004 0003 0014"},
        {"65535 ms", {"A   Dn", "65535 ms"}, "2304 0003 028F"},
        {"9 ms rounds down", {"A   Dn", "9 ms"}, "0004"},
        {"a delay line first and two in a row count once",
         {"30 ms", "A   Dn", "200 ms", "300 ms", "A   Up"},
         "1404 8504"},
        {"a delay without its blank", {"A   Dn", "100ms"}, "0A04"},
        {"a delay with no digits", {"A   Dn", "x ms"}, "0004"},
        {"an unknown key name", {"Help   Dn"}, "0500"},
        {"a nameless key", {"   Up"}, "8500"},
        {"lines that are no events", {"hello", "A   Dn", "", "world"}, "0504"},
        // Sound behaviour where the texts are out of range: a negative delay would flip the
        // release bit, one beyond 65535 steps would wrap; both are held at the nearest limit.
        {"a negative delay", {"A   Dn", "-15 ms"}, "0004"},
        {"a delay beyond the long record", {"A   Dn", "9999999 ms"}, "6304 0003 FFFF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Encoded("1", c.lines), Slot(std::string("0001") + c.bytes)) << c.what;
    }
}

TEST(MacroEncoder, LoopCount) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "0001"},     {"300", "012C"}, {"65535", "FFFF"}, {"0", "0001"},
        {"70000", "0001"}, {"", "0001"},    {"-1", "0001"},    {"2x", "0002"},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(Encoded(text, {"A   Dn"}), Slot(std::string(bytes) + "0504")) << text;
    }
    EXPECT_EQ(Encoded("300", {}), Slot("")) << "no lines: 128 zero bytes, loop count included";
    EXPECT_EQ(Encoded("300", {"50 ms"}), Slot("012C")) << "lines but no events";
}

TEST(MacroEncoder, TheTwoNameTables) {
    struct Case {
        const char* key;
        uint8_t atLoad;
        uint8_t inManager;
    };
    const Case cases[] = {
        {"App", 0x00, 0x65},          {"Application", 0x65, 0x00}, {"Left GUI", 0x00, 0xE3},
        {"Left Windows", 0xE3, 0xE3}, {"Num Enter", 0x58, 0x58},   {"a", 0x00, 0x00},
        {"Select", 0x00, 0x00},       {"Button 4", 0x00, 0x00},
    };
    for (const Case& c : cases) {
        const Lines lines = {PressLine(c.key)};
        EXPECT_EQ(Encoded("1", lines, KeyNameToCode), Slot("0001 05" + HexString({&c.atLoad, 1})))
            << c.key;
        EXPECT_EQ(Encoded("1", lines, MacroKeyNameToCode),
                  Slot("0001 05" + HexString({&c.inManager, 1})))
            << c.key;
    }
}

TEST(MacroEncoder, WhatDoesNotFitIsCutAfterTheLastWholeRecord) {
    struct Case {
        const char* what;
        Lines lines;
        size_t bytesNeeded;
        size_t bytesWritten;
        size_t eventsWritten;
    };
    Lines shortThenLong = Events(62);
    shortThenLong.insert(shortThenLong.end(), {"B   Dn", "2000 ms", "C   Dn"});
    const Case cases[] = {
        {"62 recorded events", Events(62), 126, 126, 62},
        {"63 short records fill the slot", Events(63), 128, 128, 63},
        {"64 short records", Events(64), 130, 128, 63},
        {"21 long records fill the slot", Events(21, "2000 ms"), 128, 128, 21},
        {"22 long records", Events(22, "2000 ms"), 134, 128, 21},
        // The long record does not fit after 62 short ones; the short one after it would, but it
        // must not play before the event that was cut.
        {"a long record at the end", shortThenLong, 134, 126, 62},
    };
    for (const Case& c : cases) {
        std::array<uint8_t, kMacroSlotSize + 4> guarded;
        guarded.fill(0xEE);
        const MacroEncoding encoding = EncodeMacroLines(
            "1", c.lines, MacroSlot(guarded.data() + 2, kMacroSlotSize), KeyNameToCode);
        EXPECT_EQ(encoding.bytesNeeded, c.bytesNeeded) << c.what;
        EXPECT_EQ(encoding.bytesWritten, c.bytesWritten) << c.what;
        EXPECT_EQ(encoding.eventsWritten, c.eventsWritten) << c.what;
        EXPECT_EQ(encoding.Fits(), c.bytesNeeded <= 128) << c.what;
        EXPECT_EQ(encoding.Cut(), c.eventsWritten < encoding.events) << c.what;
        EXPECT_EQ(HexString(std::span(guarded).first(2)), "EEEE") << c.what;
        EXPECT_EQ(HexString(std::span(guarded).last(2)), "EEEE") << c.what;
        for (size_t i = 2 + c.bytesWritten; i < 2 + kMacroSlotSize; ++i) {
            ASSERT_EQ(guarded[i], 0) << c.what << " offset " << i - 2;
        }
        EXPECT_EQ(MeasureMacro(c.lines).bytesNeeded, c.bytesNeeded) << c.what;
    }
    EXPECT_EQ(Encoded("1", Events(62)).substr(2 * 122, 12), "050485040000")
        << "the last of 62 records ends at offset 125";
}

class MacroStoreEncodingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store.WriteMacroNames({"Macro_1", "Keys"});
        store.WriteMacro({"Macro_1", 1, true, {"A   Dn", "100 ms", "A   Up"}});
        store.WriteMacro({"Keys", 300, false, {"App   Dn", "App   Up"}});
    }

    test::TempDir dir;
    MacroStore store{dir / "record.ini"};
};

TEST_F(MacroStoreEncodingTest, AtLoadTheListedBlocksAreRebuiltAndTheRestKept) {
    ConfigRecord record;
    record.bytes.fill(0xEE);
    const TraceCapture trace;
    const auto reports = EncodeMacroStore(record, store);

    EXPECT_EQ(HexString(record.MacroBlock(0).first(kMacroSlotSize)), Slot("00010A048504"));
    EXPECT_EQ(HexString(record.MacroBlock(1).first(kMacroSlotSize)), Slot("012C05008500"))
        << "App has no code in the load-time table";
    for (size_t n = 0; n < 2; ++n) {
        EXPECT_EQ(HexString(record.MacroBlock(n).last(2)), "EEEE") << "bytes 128 and 129 stay";
    }
    ConfigRecord untouched;
    untouched.bytes.fill(0xEE);
    EXPECT_TRUE(std::equal(record.bytes.begin() + rec::MacroBlock(2), record.bytes.end(),
                           untouched.bytes.begin() + rec::MacroBlock(2)))
        << "blocks from MacroCount up keep their bytes";
    EXPECT_TRUE(std::equal(record.bytes.begin(), record.bytes.begin() + rec::kMacroArea,
                           untouched.bytes.begin()));
    EXPECT_EQ(trace.Text(), "Macro_1\nKeys\n");
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].name, "Keys");
    EXPECT_EQ(reports[1].lineCount, 2u);
    EXPECT_EQ(reports[1].encoding.bytesWritten, 6u);
}

TEST_F(MacroStoreEncodingTest, AMissingStoreChangesNothing) {
    std::filesystem::remove(store.Path());
    ConfigRecord record;
    record.bytes.fill(0xEE);
    const ConfigRecord before = record;
    const TraceCapture trace;
    EXPECT_TRUE(EncodeMacroStore(record, store).empty());
    EXPECT_EQ(record, before);
    EXPECT_EQ(trace.Text(), "");

    MacroManagerBlocks blocks;
    blocks.SetLoopCount(0, 5);
    EXPECT_TRUE(blocks.EncodeMacroStore(store, {"Macro_1"}).empty());
    EXPECT_EQ(blocks.Blocks()[0][1], 5) << "the manager's blocks keep their contents";
}

TEST_F(MacroStoreEncodingTest, OnlyTheFirstTwelveMacrosHaveSlots) {
    std::vector<std::string> names;
    for (int i = 1; i <= 14; ++i) {
        names.push_back("Macro_" + std::to_string(i));
        store.WriteMacro({names.back(), static_cast<uint16_t>(i), false, Events(64)});
    }
    store.WriteMacroNames(names);
    ConfigRecord record;
    record.bytes.fill(0xEE);
    const TraceCapture trace;
    const auto reports = EncodeMacroStore(record, store);

    ASSERT_EQ(reports.size(), 14u);
    EXPECT_TRUE(reports[11].encoded);
    EXPECT_FALSE(reports[12].encoded);
    EXPECT_EQ(record.MacroBlock(11)[1], 12);
    EXPECT_EQ(HexString(record.MacroBlock(11).last(2)), "EEEE") << "the record's last two bytes";
    EXPECT_NE(trace.Text().find("\nMacro_14\n"), std::string::npos) << trace.Text();
    EXPECT_NE(trace.Text().find("Macro \"Macro_13\" is number 13; only 12 macros have a slot in "
                                "the mouse\n"),
              std::string::npos);
    EXPECT_NE(trace.Text().find("Macro \"Macro_12\" needs 130 bytes but a macro slot holds 128: "
                                "cut after 63 of 64 events\n"),
              std::string::npos)
        << trace.Text();

    MacroManagerBlocks blocks;
    EXPECT_EQ(blocks.EncodeMacroStore(store, names).size(), 14u);
    EXPECT_EQ(blocks.Blocks()[11][1], 12);
}

TEST_F(MacroStoreEncodingTest, TheManagerEncodesIntoItsOwnZeroedBlocks) {
    MacroManagerBlocks blocks;
    blocks.SetLoopCount(5, 0x1234);  // left from an earlier opening: zeroed by the next encoding
    const auto reports = blocks.EncodeMacroStore(store, {"Macro_1", "Keys"});
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(HexString(blocks.Blocks()[0]), Slot("00010A048504") + "0000");
    EXPECT_EQ(HexString(blocks.Blocks()[1]), Slot("012C05658565") + "0000")
        << "App is the menu key for the manager";
    for (size_t n = 2; n < kMacroBlockCount; ++n) {
        EXPECT_EQ(HexString(blocks.Blocks()[n]), std::string(2 * kMacroBlockSize, '0')) << n;
    }

    blocks.SetLoopCount(1, 65535);
    EXPECT_EQ(HexString(std::span(blocks.Blocks()[1]).first(4)), "FFFF0565");
    blocks.ClearMacro(0);
    EXPECT_EQ(HexString(blocks.Blocks()[0]), std::string(2 * kMacroBlockSize, '0'));
    blocks.SetLoopCount(12, 7);  // no such block
    blocks.ClearMacro(99);

    ConfigRecord record;
    record.bytes.fill(0xEE);
    blocks.CopyInto(record);
    for (size_t n = 0; n < kMacroBlockCount; ++n) {
        EXPECT_TRUE(std::equal(blocks.Blocks()[n].begin(), blocks.Blocks()[n].end(),
                               record.MacroBlock(n).begin()))
            << n;
    }
    EXPECT_EQ(record[rec::kMacroArea - 1], 0xEE);
}

TEST_F(MacroStoreEncodingTest, DeletingTheLastMacroLeavesItsBlockZero) {
    MacroManagerBlocks blocks;
    blocks.EncodeMacroStore(store, {"Macro_1", "Keys"});
    store.WriteMacroNames({"Macro_1"});
    store.RemoveMacroSection("Keys");
    blocks.EncodeMacroStore(store, {"Macro_1"});
    EXPECT_EQ(HexString(blocks.Blocks()[1]), std::string(2 * kMacroBlockSize, '0'));
    EXPECT_EQ(blocks.Blocks()[0][2], 0x0A);
}

TEST_F(MacroStoreEncodingTest, OkWithNoMacroStillClearsTheRecordsArea) {
    store.WriteMacroNames({});
    MacroManagerBlocks blocks;  // as right after start-up
    EXPECT_TRUE(blocks.EncodeMacroStore(store, {}).empty());
    ConfigRecord record;
    record.bytes.fill(0xEE);
    blocks.CopyInto(record);
    EXPECT_TRUE(std::all_of(record.MacroArea().begin(), record.MacroArea().end(),
                            [](uint8_t b) { return b == 0; }));
}

TEST(MacroLoadTime, LoadingAProfileRebuildsTheMacroArea) {
    test::TempDir dir;
    test::CopyFactoryDataSet(dir.Path());
    MacroStore store(dir / "record.ini");
    store.WriteMacroNames({"Macro_1"});
    store.WriteMacro({"Macro_1", 2, false, {"Application   Dn"}});

    ConfigState state;
    ConfigFiles files(state, dir.Path());
    files.LoadConfiguration();
    EXPECT_EQ(HexString(state.working.MacroBlock(0).first(4)), "00020565");
    EXPECT_EQ(state.working.MacroBlock(1)[0], 0) << "the factory record's own bytes";
}

}  // namespace
}  // namespace ventrio
