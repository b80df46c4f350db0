#include "config/config_files.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/trace.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using test::TempDir;

std::vector<uint8_t> ConfigFileBytes(uint8_t flag, uint8_t fill, size_t recordBytes) {
    std::vector<uint8_t> bytes(1 + recordBytes, fill);
    bytes[0] = flag;
    return bytes;
}

class ConfigFilesTest : public ::testing::Test {
  protected:
    void WriteProfileList(const std::vector<std::pair<std::string, std::string>>& keys) {
        IniFile ini(dir / "str.ini");
        for (const auto& [key, value] : keys) {
            ini.WriteString("Profile", key, value);
        }
    }
    void WriteConfig(const std::string& name, uint8_t fill,
                     size_t recordBytes = kConfigRecordSize) {
        test::WriteBytes(dir / name, ConfigFileBytes(1, fill, recordBytes));
    }

    TempDir dir;
    ConfigState state;
    ConfigFiles files{state, dir.Path()};
    TraceCapture trace;
};

TEST_F(ConfigFilesTest, ChoosesTheProfileFromTheProfileList) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> list;
        int expectedIndex;  // -1: nothing loaded
    };
    const Case cases[] = {
        {"last of equal names wins",
         {{"ItemCount", "3"},
          {"Item0", "A"},
          {"Item1", "B"},
          {"Item2", "B"},
          {"CurProfileName", "B"}},
         2},
        {"names compare case-sensitively",
         {{"ItemCount", "2"}, {"Item0", "A"}, {"Item1", "B"}, {"CurProfileName", "b"}},
         0},
        {"items beyond the count are not looked at",
         {{"ItemCount", "1"}, {"Item0", "A"}, {"Item1", "B"}, {"CurProfileName", "B"}},
         0},
        {"a count above 6 loads nothing",
         {{"ItemCount", "7"}, {"Item0", "A"}, {"CurProfileName", "A"}},
         -1},
        {"a zero count loads nothing", {{"ItemCount", "0"}}, -1},
        {"a count that is not a number loads nothing", {{"ItemCount", "many"}}, -1},
        {"a negative count loads nothing", {{"ItemCount", "-2"}}, -1},
        {"no profile list loads nothing", {}, -1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "str.ini");
        for (int i = 0; i < 6; ++i) {
            WriteConfig(ProfileConfigName(i), static_cast<uint8_t>(0x10 + i));
        }
        WriteProfileList(c.list);
        state = ConfigState{};
        int rebuilds = 0;
        files.SetMacroAreaRebuilder([&](ConfigRecord&, const std::filesystem::path& store) {
            EXPECT_EQ(store, dir / "record.ini");
            ++rebuilds;
        });

        files.LoadConfiguration();

        EXPECT_EQ(state.profileList, dir / "str.ini") << c.name;
        if (c.expectedIndex < 0) {
            EXPECT_EQ(state.working, ConfigRecord{}) << c.name;
            EXPECT_TRUE(state.configFile.empty()) << c.name;
            EXPECT_TRUE(state.labelFile.empty()) << c.name;
            EXPECT_EQ(rebuilds, 0) << c.name;
        } else {
            EXPECT_EQ(state.ProfileIndex, c.expectedIndex) << c.name;
            EXPECT_EQ(state.configFile, dir / ProfileConfigName(c.expectedIndex)) << c.name;
            EXPECT_EQ(state.labelFile, dir / ProfileLabelName(c.expectedIndex)) << c.name;
            EXPECT_EQ(state.working[100], 0x10 + c.expectedIndex) << c.name;
            EXPECT_EQ(rebuilds, 1) << c.name;
        }
    }
}

TEST_F(ConfigFilesTest, ShortLongAndMissingConfigurationFiles) {
    WriteProfileList({{"ItemCount", "1"}, {"Item0", "P"}, {"CurProfileName", "P"}});
    state.working.bytes.fill(0xEE);

    WriteConfig("config0.bin", 0x11, 99);  // a 100-byte file
    files.LoadConfiguration();
    EXPECT_EQ(trace.Text(), "Program First Run Flag:1\nRead Size is: 99");
    EXPECT_EQ(state.working[98], 0x11);
    EXPECT_EQ(state.working[99], 0xEE);
    EXPECT_EQ(state.working[1772], 0xEE);

    trace.Clear();
    auto longFile = ConfigFileBytes(7, 0x22, kConfigRecordSize + 500);
    test::WriteBytes(dir / "config0.bin", longFile);
    files.LoadConfiguration();
    EXPECT_EQ(trace.Text(), "Program First Run Flag:7\nRead Size is: 1773");
    EXPECT_EQ(state.FirstRunFlag, 7);
    EXPECT_EQ(state.working[1772], 0x22);

    trace.Clear();
    std::filesystem::remove(dir / "config0.bin");
    state.working.bytes.fill(0x33);
    bool rebuilt = false;
    files.SetMacroAreaRebuilder(
        [&](ConfigRecord&, const std::filesystem::path&) { rebuilt = true; });
    files.LoadConfiguration();
    EXPECT_EQ(trace.Text(), "Config file is not exist.\n");
    EXPECT_EQ(state.working[0], 0x33);
    EXPECT_TRUE(rebuilt) << "the macro area is rebuilt even without a configuration file";
}

TEST_F(ConfigFilesTest, ReloadFlagReadsTheFactoryFiles) {
    WriteConfig("config.bin", 0x44);
    WriteConfig("config0.bin", 0x55);
    state.ReloadFlag = 1;
    files.LoadConfiguration();
    EXPECT_EQ(state.configFile, dir / "config.bin");
    EXPECT_EQ(state.labelFile, dir / "str.ini");
    EXPECT_EQ(state.working[10], 0x44);
}

TEST_F(ConfigFilesTest, SaveWritesFlagAndRecordIntoTheCurrentProfilesFile) {
    WriteConfig("config2.bin", 0x00);
    state.ProfileIndex = 2;
    state.working.bytes.fill(0x5A);
    files.SaveConfiguration();
    EXPECT_EQ(trace.Text(), "Data num:1 BYTE -1773 BYTE\n Struct size:1773 BYTE");
    EXPECT_EQ(test::ReadBytes(dir / "config2.bin"), ConfigFileBytes(1, 0x5A, kConfigRecordSize));
    EXPECT_EQ(state.configFile, dir / "config2.bin");
    EXPECT_EQ(state.labelFile, dir / "str2.ini");
}

TEST_F(ConfigFilesTest, SaveNeverCreatesAMissingProfileFile) {
    state.ProfileIndex = 1;
    files.SaveConfiguration();
    EXPECT_EQ(trace.Text(), "Config file is not exist.\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "config1.bin"));
}

TEST_F(ConfigFilesTest, FailedSaveKeepsThePreviousFileWhole) {
    WriteConfig("config0.bin", 0x77);
    EXPECT_FALSE(files.WriteConfigurationFile(dir / "no-such-folder" / "config0.bin"));
    EXPECT_TRUE(trace.Text().starts_with("Error Code is: ")) << trace.Text();
    EXPECT_TRUE(trace.Text().ends_with(" \n"));
    EXPECT_EQ(test::ReadBytes(dir / "config0.bin"), ConfigFileBytes(1, 0x77, kConfigRecordSize));
}

TEST_F(ConfigFilesTest, LoadProfileByIndexReadsWithoutRebuildingMacros) {
    WriteConfig("config4.bin", 0x66);
    bool rebuilt = false;
    files.SetMacroAreaRebuilder(
        [&](ConfigRecord&, const std::filesystem::path&) { rebuilt = true; });
    state.ProfileIndex = 1;
    files.LoadProfileByIndex(4);
    EXPECT_EQ(state.working[1], 0x66);
    EXPECT_EQ(state.ProfileIndex, 1);
    EXPECT_EQ(state.labelFile, dir / "str4.ini");
    EXPECT_FALSE(rebuilt);

    trace.Clear();
    files.LoadProfileByIndex(5);
    EXPECT_EQ(trace.Text(), "Config file is not exist.");
}

TEST_F(ConfigFilesTest, LabelsLiveInTheSectionOfTheLanguage) {
    state.labelFile = dir / "str0.ini";
    state.labelSection = "Setting-DE";
    state.labels = {"Klick", "Menü", "Scrollen", "Vorwärts", "Zurück", "DPI +", "DPI -"};
    files.WriteLabels();
    ASSERT_TRUE(std::filesystem::exists(dir / "str0.ini")) << "the first write creates the file";
    EXPECT_EQ(IniFile(dir / "str0.ini").GetString("Setting-DE", "Item2"), "Menü");

    state.labelSection = "Setting-EN";
    files.ReadLabels();
    EXPECT_EQ(state.labels, LabelList{}) << "another language does not see them";

    state.labelSection = "Setting-DE";
    files.ReadLabels();
    EXPECT_EQ(state.labels[4], "Zurück");

    files.ReadLabels(dir / "other.ini");
    EXPECT_EQ(state.labels, LabelList{});
}

TEST_F(ConfigFilesTest, WithoutALabelFileReadsAreEmptyAndWritesSkipped) {
    state.labels[0] = "stale";
    files.ReadLabels();
    EXPECT_EQ(state.labels[0], "");
    state.labels[0] = "Click";
    files.WriteLabels();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace ventrio
