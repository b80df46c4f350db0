// Factory reset, import, export and the profile manager's requests: their effect on the working
// and backup records, on the files and on the mouse.
#include <gtest/gtest.h>

#include "app/profile_loading.h"
#include "config/profile_operations.h"
#include "platform/ini_file.h"
#include "platform/trace.h"
#include "tests/native/device_fixture.h"
#include "tests/native/test_support.h"
#include "tools/factory/factory_dataset.h"

namespace ventrio {
namespace {

using test::Describe;
using test::SimRig;

class ChosenFiles final : public ProfileFileDialogs {
  public:
    std::optional<std::filesystem::path> ChooseImportFile(
        const std::filesystem::path& proposed) override {
        proposals.push_back(proposed);
        return choice;
    }
    std::optional<std::filesystem::path> ChooseExportFile(
        const std::filesystem::path& proposed) override {
        proposals.push_back(proposed);
        return choice;
    }

    std::optional<std::filesystem::path> choice;
    std::vector<std::filesystem::path> proposals;
};

class RecordingProfileWindow final : public ProfileWindow {
  public:
    void RefreshAllFromRecord() override { calls.push_back("refresh all"); }
    void RefreshMarkersAndLabels() override { calls.push_back("refresh markers and labels"); }
    void CloseProfileManager() override { calls.push_back("close"); }
    std::vector<std::string> calls;
};

std::vector<uint8_t> FileOf(const ConfigRecord& record, uint8_t flag = 1) {
    std::vector<uint8_t> bytes(1 + kConfigRecordSize, flag);
    std::copy(record.bytes.begin(), record.bytes.end(), bytes.begin() + 1);
    return bytes;
}

ConfigRecord Marked(uint8_t mark) {
    ConfigRecord record = FactoryRecord();
    record[rec::kBank] = mark;
    record[rec::kXSensitivity] = mark;
    record[rec::kPollingDivisor] = mark;
    record.MacroBlock(0)[0] = mark;
    return record;
}

class ProfileOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopyFactoryDataSet(m_dir.Path());
        test::WriteBytes(m_dir / "config.bin", FileOf(Marked(8)));
        test::WriteBytes(m_dir / "config2.bin", FileOf(Marked(2)));
        IniFile(m_dir / "str.ini").WriteString("Setting-EN", "Item1", "Factory one");
        IniFile(m_dir / "str2.ini").WriteString("Setting-EN", "Item1", "Second profile");
        LoadProfileAtStartup(m_files, m_state, m_localisation);
        m_sim.Connect(m_state.working);

        // Unapplied edits, macros of the user's and labels of the user's.
        m_state.working[rec::StageResolution(1)] = 100;
        for (size_t i = 0; i < rec::kMacroAreaSize; ++i) {
            m_state.working.MacroArea()[i] = static_cast<uint8_t>(i * 13);
        }
        m_state.working[rec::kBank] = 4;
        m_state.labels.fill("mine");
        m_backupBefore = m_state.backup;
        m_profileBefore = test::ReadBytes(m_dir / "config0.bin");
    }

    std::filesystem::path InFolder(const char* name) { return m_dir / name; }

    test::TempDir m_dir;
    ConfigState m_state;
    ConfigFiles m_files{m_state, m_dir.Path()};
    Localisation m_localisation;
    SimRig m_sim;
    RecordingPointerSettings m_pointer;
    ChosenFiles m_dialogs;
    RecordingProfileWindow m_window;
    ProfileOperations m_operations{m_state, m_files, m_sim.link, m_pointer, m_dialogs, m_window};
    ConfigRecord m_backupBefore;
    std::vector<uint8_t> m_profileBefore;
};

TEST_F(ProfileOperationsTest, FactoryResetWithTheMouseKeepsTheMacrosAndAppliesEverything) {
    const ConfigRecord edited = m_state.working;
    m_operations.RestoreFactoryDefaults();

    ConfigRecord expected = Marked(8);
    std::copy(edited.MacroArea().begin(), edited.MacroArea().end(), expected.MacroArea().begin());
    expected[rec::kBank] = 0;  // the upload's bank
    EXPECT_EQ(m_state.working, expected);
    EXPECT_EQ(m_state.backup, expected);
    EXPECT_EQ(test::ReadBytes(InFolder("config0.bin")), FileOf(expected));
    EXPECT_EQ(m_state.labels[0], "Factory one");
    EXPECT_EQ(IniFile(InFolder("str0.ini")).GetString("Setting-EN", "Item1"), "Factory one");
    EXPECT_EQ(m_state.labelFile, InFolder("str0.ini"));
    EXPECT_EQ(m_state.ReloadFlag, 0);
    EXPECT_EQ(m_pointer.Calls().size(), 4u);
    EXPECT_EQ(m_sim.mouse->ReportLog().size(), 49u);
    EXPECT_EQ(m_sim.mouse->State().banks[0].pollingDivisor, 8);
    EXPECT_EQ(m_sim.mouse->State().macroSlots[0][1], 13);
}

TEST_F(ProfileOperationsTest, FactoryResetWithoutTheMouseOnlyLoadsTheFactoryRecord) {
    m_sim.link.SetDevicePresent(0);
    const ConfigRecord edited = m_state.working;
    m_operations.RestoreFactoryDefaults();

    ConfigRecord expected = Marked(8);
    std::copy(edited.MacroArea().begin(), edited.MacroArea().end(), expected.MacroArea().begin());
    expected[rec::kBank] = 4;
    EXPECT_EQ(m_state.working, expected);
    EXPECT_EQ(m_state.backup, m_backupBefore);
    EXPECT_EQ(test::ReadBytes(InFolder("config0.bin")), m_profileBefore);
    EXPECT_TRUE(m_sim.mouse->ReportLog().empty());
    EXPECT_TRUE(m_pointer.Calls().empty());
    EXPECT_EQ(m_state.ReloadFlag, 0);
    // The main window's label write after the reset goes into the base label file.
    EXPECT_EQ(m_state.labelFile, InFolder("str.ini"));
    m_state.labels[1] = "written after";
    m_files.WriteLabels();
    EXPECT_EQ(IniFile(InFolder("str.ini")).GetString("Setting-EN", "Item2"), "written after");
}

TEST_F(ProfileOperationsTest, ImportReadsOnlyWholeProfilesButAlwaysTheirLabels) {
    const std::filesystem::path imports = m_dir / "my.bin.profiles";
    std::filesystem::create_directories(imports);
    test::WriteBytes(imports / "p.bin", FileOf(Marked(5), 7));
    test::WriteBytes(imports / "short.bin", std::vector<uint8_t>(1774 - 1, 0x55));
    test::WriteBytes(imports / "long.bin", std::vector<uint8_t>(1774 + 1, 0x55));
    test::WriteBytes(imports / "p.BIN", FileOf(Marked(6)));
    test::WriteBytes(imports / "a.bin.bin", FileOf(Marked(9)));
    for (const char* name : {"p.ini", "short.ini", "long.ini", "p.BIN.ini", "a.ini.ini"}) {
        IniFile(imports / name).WriteString("Setting-EN", "Item1", std::string("from ") + name);
    }
    struct Case {
        std::optional<std::string> chosen;
        std::optional<uint8_t> record;  // the mark of the record read, if any
        const char* label;              // label 0 afterwards
        const char* configFile;         // in the program folder, "" = unchanged
        const char* labelFile;
        const char* trace;
    };
    const Case cases[] = {
        {"p.bin", 5, "from p.ini", "p.bin", "p.ini", ""},
        {"short.bin", std::nullopt, "from short.ini", "short.bin", "short.ini", ""},
        {"long.bin", std::nullopt, "from long.ini", "long.bin", "long.ini", ""},
        {"a.bin.bin", 9, "from a.ini.ini", "a.bin.bin", "a.ini.ini", ""},
        {"p.BIN", std::nullopt, "mine", "", "", ""},
        {std::nullopt, std::nullopt, "mine", "", "", ""},
        {"missing.bin", std::nullopt, "mine", "missing.bin", "", "Config file is not exist.\n"},
    };
    const ConfigState start = m_state;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.value_or("cancel"));
        m_state = start;
        m_dialogs.proposals.clear();
        m_dialogs.choice.reset();
        if (c.chosen) {
            m_dialogs.choice = imports / *c.chosen;
        }
        TraceCapture trace;
        m_operations.ImportProfile();

        EXPECT_EQ(m_dialogs.proposals, std::vector<std::filesystem::path>{start.configFile});
        ConfigRecord expected = start.working;
        if (c.record) {
            expected = Marked(*c.record);
            EXPECT_EQ(m_state.FirstRunFlag, *c.record == 5 ? 7 : 1);
        }
        EXPECT_EQ(m_state.working, expected);
        EXPECT_EQ(m_state.labels[0], c.label);
        EXPECT_EQ(m_state.configFile, *c.configFile ? InFolder(c.configFile) : start.configFile);
        EXPECT_EQ(m_state.labelFile, *c.labelFile ? InFolder(c.labelFile) : start.labelFile);
        if (*c.trace != '\0') {
            EXPECT_NE(trace.Text().find(c.trace), std::string::npos) << trace.Text();
        } else {
            EXPECT_EQ(trace.Text().find("Config file"), std::string::npos) << trace.Text();
        }
        EXPECT_EQ(m_state.backup, m_backupBefore);
    }
    EXPECT_EQ(test::ReadBytes(InFolder("config0.bin")), m_profileBefore);
    EXPECT_TRUE(m_sim.mouse->ReportLog().empty());
}

TEST_F(ProfileOperationsTest, ExportWritesTheWorkingRecordThenReloadsTheProfile) {
    const std::filesystem::path exports = m_dir / "exports.bin.d";
    std::filesystem::create_directories(exports);
    const ConfigRecord edited = m_state.working;
    struct Case {
        std::optional<std::string> chosen;
        const char* written;
        const char* labels;
    };
    const Case cases[] = {
        {"out", "out.bin", "out.ini"},
        {"p.BIN", "p.BIN.bin", "p.BIN.ini"},
        {"two.bin.bin", "two.bin.bin", "two.ini.ini"},
        {std::nullopt, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.value_or("cancel"));
        m_state.working = edited;
        m_dialogs.choice.reset();
        if (c.chosen) {
            m_dialogs.choice = exports / *c.chosen;
        }
        m_operations.ExportProfile();
        if (!c.chosen) {
            EXPECT_EQ(m_state.working, edited);
            continue;
        }
        EXPECT_EQ(test::ReadBytes(exports / c.written), FileOf(edited));
        EXPECT_EQ(IniFile(exports / c.labels).GetString("Setting-EN", "Item7"), "mine");
        // Reloaded from the current profile's file: the edits are in the export only.
        EXPECT_EQ(m_state.working.bytes[rec::StageResolution(1)],
                  FactoryRecord()[rec::StageResolution(1)]);
    }
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(exports)) {
        ++files;
    }
    EXPECT_EQ(files, 6u);
    EXPECT_EQ(m_state.backup, m_backupBefore);
    EXPECT_EQ(test::ReadBytes(InFolder("config0.bin")), m_profileBefore);
}

TEST_F(ProfileOperationsTest, ExportIntoAFolderThatIsGoneTracesAndStillReloads) {
    m_dialogs.choice = m_dir / "gone" / "p.bin";
    TraceCapture trace;
    m_operations.ExportProfile();
    EXPECT_NE(trace.Text().find("Error Code is: "), std::string::npos) << trace.Text();
    EXPECT_EQ(m_state.working[rec::StageResolution(1)], FactoryRecord()[rec::StageResolution(1)]);
}

TEST_F(ProfileOperationsTest, ProfileRequestsOfTheManager) {
    m_sim.link.Image()[img::kBank] = 3;
    const ConfigRecord edited = m_state.working;

    // Closing for the first time with profile 0 only closes it.
    m_operations.OnProfileCommand(kProfileSwitch, 0);
    EXPECT_EQ(m_window.calls, std::vector<std::string>{"close"});
    EXPECT_EQ(m_state.working, edited);

    // Another profile: the bank command with the image's bank, the profile's file and labels.
    m_window.calls.clear();
    m_operations.OnProfileCommand(kProfileSwitch, 2);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"refresh markers and labels", "close"}));
    EXPECT_EQ(Describe(m_sim.mouse->ReportLog()),
              std::vector<std::string>{"set-feature 0002030000000000FA"});
    EXPECT_EQ(m_state.working, Marked(2));
    EXPECT_EQ(m_state.labels[0], "Second profile");
    EXPECT_EQ(m_operations.LastSwitchedProfile(), 2);
    EXPECT_EQ(m_state.ProfileIndex, 0);
    EXPECT_EQ(m_state.backup, m_backupBefore);  // Cancel still returns to the profile before

    // The same profile again, an impossible one, and an unknown request: nothing loads.
    m_window.calls.clear();
    m_sim.mouse->ClearReportLog();
    m_state.working = edited;
    m_operations.OnProfileCommand(kProfileSwitch, 2);
    m_operations.OnProfileCommand(kProfileSwitch, 6);
    m_operations.OnProfileCommand(kProfileSwitch, -1);
    m_operations.OnProfileCommand(7, 0);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"close", "close", "close"}));
    EXPECT_EQ(m_state.working, edited);
    EXPECT_EQ(m_operations.LastSwitchedProfile(), 2);

    // An import, even a cancelled one, makes the next switch request only close the manager.
    m_window.calls.clear();
    m_operations.OnProfileCommand(kProfileImport, 0);
    EXPECT_EQ(m_operations.ImportPending(), 1);
    m_operations.OnProfileCommand(kProfileSwitch, 4);
    EXPECT_EQ(m_operations.ImportPending(), 0);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"refresh all", "close"}));
    EXPECT_EQ(m_operations.LastSwitchedProfile(), 2);
    EXPECT_EQ(m_state.working, edited);
    EXPECT_TRUE(m_sim.mouse->ReportLog().empty());

    // The export request runs the export (cancelled here: nothing happens).
    m_operations.OnProfileCommand(kProfileExport, 0);
    EXPECT_EQ(m_dialogs.proposals.size(), 2u);
    EXPECT_EQ(m_state.working, edited);
}

}  // namespace
}  // namespace ventrio
