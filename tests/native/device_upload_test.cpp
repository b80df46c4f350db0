// The upload and Apply, report by report, against the simulated mouse.
#include <gtest/gtest.h>

#include <map>

#include "app/profile_loading.h"
#include "device/upload.h"
#include "platform/hex.h"
#include "platform/ini_file.h"
#include "platform/trace.h"
#include "tests/native/device_fixture.h"
#include "tests/native/test_support.h"
#include "tools/factory/factory_dataset.h"

namespace ventrio {
namespace {

using test::Describe;
using test::SimRig;

using PageWrites = std::map<size_t, std::vector<uint8_t>>;

// What the upload writes into the page for the factory record, spelled out.
PageWrites FactoryPageWrites() {
    return {
        {2, {1}},
        {0x30, {0x1E, 0x04}},
        {0x40, {0x0F}},
        {0x46, {7, 1, 8, 3, 100, 100}},  // lighting mode 1 at level 4; X and Y 5 x 20
        {0x54, {4, 8, 16, 32, 48, 64, 108}},
        {0x5C, {1, 1, 1, 1, 1, 1, 1}},
        {0x64, {0x0F}},
        {0x68, {0xFF, 0x20, 0x20, 0xFF, 0x8C, 0x00, 0xFF, 0xE0, 0x00, 0x20, 0xE0, 0x40,
                0x00, 0xC8, 0xFF, 0x30, 0x50, 0xFF, 0xC0, 0x40, 0xFF, 0x00, 0x00, 0x00}},
    };
}

SimArea ExpectedPage(const SimArea& read, const PageWrites& writes) {
    SimArea page = read;
    for (const auto& [offset, bytes] : writes) {
        std::copy(bytes.begin(), bytes.end(), page.begin() + static_cast<ptrdiff_t>(offset));
    }
    return page;
}

std::string Chunk(uint8_t reportId, const uint8_t* data) {
    std::vector<uint8_t> report = {reportId};
    report.insert(report.end(), data, data + 64);
    return HexString(report);
}

class UploadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopyFactoryDataSet(m_dir.Path());
        LoadProfileAtStartup(m_files, m_state, m_localisation);
        m_rig.Connect(m_state.working);
    }

    std::vector<uint8_t> ConfigFileBytes() { return test::ReadBytes(m_dir / "config0.bin"); }
    std::vector<uint8_t> Saved(const ConfigRecord& record) {
        std::vector<uint8_t> bytes = {1};
        bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.end());
        return bytes;
    }

    test::TempDir m_dir;
    ConfigState m_state;
    ConfigFiles m_files{m_state, m_dir.Path()};
    Localisation m_localisation;
    SimRig m_rig;
    RecordingPointerSettings m_pointer;
};

TEST_F(UploadTest, EveryReportOfTheFactoryUploadByteForByte) {
    // Macro blocks whose last two bytes must stay at home.
    for (size_t block = 0; block < kMacroBlockCount; ++block) {
        auto bytes = m_state.working.MacroBlock(block);
        for (size_t i = 0; i < kMacroBlockSize; ++i) {
            bytes[i] = i < kMacroSlotSize ? static_cast<uint8_t>(block * 16 + i) : 0xEE;
        }
    }
    m_state.working[rec::kBank] = 3;
    const SimArea read = m_rig.mouse->State().banks[0].settingsPage;
    UploadConfiguration(m_rig.link, m_state, m_files);

    const SimArea page = ExpectedPage(read, FactoryPageWrites());
    const uint8_t table[32] = {0x01, 0x00, 0xF0, 0x00, 0x01, 0x00, 0xF1, 0x00, 0x01, 0x00, 0xF2,
                               0x00, 0x01, 0x00, 0xF3, 0x00, 0x01, 0x00, 0xF4, 0x00, 0x07, 0x00,
                               0x01, 0x00, 0x07, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00};
    std::array<uint8_t, 128> buttonTable{};
    std::copy(std::begin(table), std::end(table), buttonTable.begin());
    const uint8_t fixedSlots[] = {0x01, 0x00, 0xF7, 0x00, 0x01, 0x00, 0xF8, 0x00};
    std::copy(std::begin(fixedSlots), std::end(fixedSlots), buttonTable.begin() + 56);

    std::vector<std::string> expected = {
        "set-feature 00017C000000000082",
        "set-feature 0002000000000000FD",
        "set-feature 0003000100000000FB",
        "set-feature 008C00000000000073",
        "get-feature 008C008000000000F3",
        "read " + Chunk(0, read.data()),
        "read " + Chunk(0, read.data() + 64),
        "set-feature 000C00800000000073",
        "write " + Chunk(0, page.data()),
        "write " + Chunk(0, page.data() + 64),
        "set-feature 000D00800000000072",
        "write " + Chunk(0, buttonTable.data()),
        "write " + Chunk(0, buttonTable.data() + 64),
    };
    std::vector<uint32_t> sleeps = {100, 100, 10, 100, 100, 10, 100, 100, 2};
    for (uint8_t slot = 1; slot <= 12; ++slot) {
        const uint8_t* block = m_state.working.MacroBlock(slot - 1).data();
        const uint8_t command[] = {
            0x00, 0x0F, slot, 0x80, 0, 0, 0, 0, static_cast<uint8_t>(0x70 - slot)};
        expected.push_back("set-feature " + HexString(command));
        expected.push_back("write " + Chunk(0, block));
        expected.push_back("write " + Chunk(0, block + 64));
        sleeps.insert(sleeps.end(), {100, 100, 50});
    }
    EXPECT_EQ(Describe(m_rig.mouse->ReportLog()), expected);
    EXPECT_EQ(m_rig.clock.Sleeps(), sleeps);
    EXPECT_EQ(m_rig.clock.TotalSleptMs(), 3622u);

    // What the mouse now holds, and what the program remembers of it.
    const SimState state = m_rig.mouse->State();
    EXPECT_EQ(state.bank, 0);
    EXPECT_EQ(state.banks[0].pollingDivisor, 1);
    EXPECT_EQ(state.banks[0].settingsPage, page);
    EXPECT_EQ(state.banks[0].buttonTable, buttonTable);
    for (size_t slot = 0; slot < 12; ++slot) {
        EXPECT_TRUE(std::equal(state.macroSlots[slot].begin(), state.macroSlots[slot].end(),
                               m_state.working.MacroBlock(slot).begin()));
    }
    EXPECT_EQ(m_state.working[rec::kBank], 0);
    EXPECT_EQ(m_rig.link.Image()[img::kBank], 0);
    EXPECT_EQ(m_rig.link.Image()[img::kPollingDivisor], 1);
    EXPECT_EQ(ConfigFileBytes(), Saved(m_state.working));
}

TEST_F(UploadTest, SettingsPageForEachKindOfConfiguration) {
    struct Case {
        const char* name;
        std::map<size_t, uint8_t> record;  // record bytes changed from the factory record
        PageWrites page;                   // page bytes that differ from the factory upload
        std::vector<size_t> asRead;        // page bytes that keep what the mouse returned
    };
    const Case cases[] = {
        {"factory", {}, {}, {}},
        {"no lighting", {{47, 0}}, {{0x47, {0, 0}}}, {0x49}},
        {"lighting mode 1 at level 1", {{47, 1}, {48, 1}}, {{0x47, {0}}}, {0x48, 0x49}},
        {"lighting mode 1 overflowing", {{47, 1}, {48, 200}}, {{0x47, {1, 144, 3}}}, {}},
        {"lighting mode 2", {{47, 2}, {49, 5}}, {{0x47, {2, 5, 3}}}, {}},
        {"lighting mode 3", {{47, 3}, {50, 6}}, {{0x47, {3, 18}}}, {0x49}},
        {"lighting mode 3 overflowing", {{47, 3}, {50, 100}}, {{0x47, {3, 44}}}, {0x49}},
        {"unknown lighting mode", {{47, 9}}, {{0x47, {9}}}, {0x48, 0x49}},
        {"stages 1 and 3", {{15, 1}, {16, 0}, {17, 1}, {18, 0}}, {{0x64, {0x05}}}, {}},
        {"every stage",
         {{15, 1}, {16, 1}, {17, 1}, {18, 1}, {19, 1}, {20, 1}, {21, 1}},
         {{0x64, {0x7F}}},
         {}},
        {"no stage", {{15, 0}, {16, 0}, {17, 0}, {18, 0}}, {{0x64, {0x00}}}, {}},
        {"flags that are not 0 or 1",
         {{15, 2}, {16, 0}, {17, 0}, {18, 0}, {21, 1}},
         {{0x64, {0x42}}},
         {}},
        {"sensitivity 11 and overflowing 13", {{59, 11}, {60, 13}}, {{0x4A, {220, 4}}}, {}},
        {"sensitivity 0", {{59, 0}, {60, 1}}, {{0x4A, {0, 20}}}, {}},
        {"angle snapping", {{57, 1}}, {{0x31, {0x84}}}, {}},
        {"angle snapping any non-zero value", {{57, 7}}, {{0x31, {0x84}}}, {}},
        {"odd and largest stage resolutions",
         {{7, 33}, {13, 255}},
         {{0x54, {16}}, {0x5A, {127}}},
         {}},
        {"colours", {{23, 0x12}, {43, 0x34}}, {{0x68, {0x12}}, {0x7C, {0x34}}}, {}},
    };
    const ConfigRecord factory = m_state.working;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_state.working = factory;
        for (const auto& [offset, value] : c.record) {
            m_state.working[offset] = value;
        }
        m_rig.mouse->SetState(FactorySimState());
        const SimArea read = m_rig.mouse->State().banks[0].settingsPage;
        PageWrites writes = FactoryPageWrites();
        SimArea expected = ExpectedPage(ExpectedPage(read, writes), c.page);
        for (const size_t offset : c.asRead) {
            expected[offset] = read[offset];
        }
        UploadConfiguration(m_rig.link, m_state, m_files);
        EXPECT_EQ(HexString(m_rig.mouse->State().banks[0].settingsPage), HexString(expected));
    }
}

TEST_F(UploadTest, ApplyWithTheMouseUploadsSavesBacksUpAndSetsThePointer) {
    m_state.working[rec::StageResolution(1)] = 20;
    m_state.working[rec::kPageScroll] = 1;
    m_state.labels[0] = "Zurück";
    TraceCapture trace;
    EXPECT_TRUE(Apply(m_rig.link, m_state, m_files, m_pointer));

    EXPECT_EQ(m_rig.mouse->ReportLog().size(), 49u);
    EXPECT_EQ(m_rig.mouse->State().banks[0].settingsPage[0x54], 10);
    EXPECT_EQ(ConfigFileBytes(), Saved(m_state.working));
    EXPECT_EQ(m_state.backup, m_state.working);
    EXPECT_EQ(IniFile(m_dir / "str0.ini").GetString("Setting-EN", "Item1"), "Zurück");
    EXPECT_EQ(m_pointer.Settings(), (PointerSettings{{6, 10, 1}, 10, kWheelPageScroll, 550}));
    const std::string saved = "Data num:1 BYTE -1773 BYTE\n Struct size:1773 BYTE";
    const std::string text = trace.Text();
    EXPECT_EQ(text.find(saved, text.find(saved) + 1) != std::string::npos, true) << text;
}

TEST_F(UploadTest, ApplyWithoutTheMouseChangesNothing) {
    m_rig.link.SetDevicePresent(0);
    const auto before = ConfigFileBytes();
    const ConfigRecord backup = m_state.backup;
    m_state.working[rec::StageResolution(1)] = 20;
    EXPECT_FALSE(Apply(m_rig.link, m_state, m_files, m_pointer));
    EXPECT_TRUE(m_rig.mouse->ReportLog().empty());
    EXPECT_EQ(ConfigFileBytes(), before);
    EXPECT_EQ(m_state.backup, backup);
    EXPECT_TRUE(m_pointer.Calls().empty());
}

// Pulled out at any report of the upload, the mouse takes nothing more, the upload still runs to
// its end without waiting for the mouse, and the record is saved and backed up as after any
// Apply.
TEST_F(UploadTest, MouseRemovedAtAnyReportOfTheUpload) {
    for (size_t at = 0; at < 49; ++at) {
        SCOPED_TRACE(at);
        m_rig.mouse->Plug();
        ASSERT_EQ(m_rig.link.FindDevice(), 1);
        m_rig.mouse->ClearReportLog();
        m_rig.clock.ClearSleeps();
        m_rig.mouse->RemoveAtReport(at);
        m_state.working[rec::kPointerSpeed] = static_cast<uint8_t>(at % 11 + 1);

        EXPECT_TRUE(Apply(m_rig.link, m_state, m_files, m_pointer));
        EXPECT_EQ(m_rig.mouse->ReportLog().size(), at);
        EXPECT_FALSE(m_rig.mouse->Plugged());
        // Without the reply (report 4) the page read announces nothing and reads nothing.
        EXPECT_EQ(m_rig.clock.TotalSleptMs(), at <= 4 ? 3422u : 3622u);
        EXPECT_EQ(ConfigFileBytes(), Saved(m_state.working));
        EXPECT_EQ(m_state.backup, m_state.working);
        EXPECT_EQ(m_rig.link.FindDevice(), 0);
        m_rig.mouse->RemoveAtReport(std::nullopt);
    }
}

TEST_F(UploadTest, FailingWritesAndAnOverlongReplyLeaveTheUploadInStep) {
    m_rig.mouse->SetReplyLength(255);
    m_rig.mouse->SetFailWrites(true);
    const SimState before = m_rig.mouse->State();
    EXPECT_TRUE(Apply(m_rig.link, m_state, m_files, m_pointer));
    const auto log = Describe(m_rig.mouse->ReportLog());
    // Four chunks read after the reply, then straight on with the page write.
    ASSERT_GE(log.size(), 9u);
    EXPECT_EQ(log[4], "get-feature 008C00FF0000000074");
    for (size_t i = 5; i < 9; ++i) {
        EXPECT_TRUE(log[i].starts_with("read ")) << log[i];
    }
    EXPECT_TRUE(log[9].starts_with("set-feature 000C0080")) << log[9];
    EXPECT_EQ(log.size(), 4u + 1 + 4 + 14);  // no write report got through
    EXPECT_EQ(m_rig.mouse->State().banks, before.banks);
    EXPECT_EQ(m_rig.clock.TotalSleptMs(), 3622u + 200);
}

}  // namespace
}  // namespace ventrio
