#include "tools/factory/factory_dataset.h"

#include <gtest/gtest.h>

#include <set>

#include "app/localisation.h"
#include "app/profile_loading.h"
#include "platform/ini_file.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

const std::filesystem::path kOutput = VENTRIO_OUTPUT_DIR;

TEST(FactoryDataSet, TheBuildInstalledEveryFileBesideThePrograms) {
    std::vector<uint8_t> expected{1};
    const ConfigRecord factory = FactoryRecord();
    expected.insert(expected.end(), factory.bytes.begin(), factory.bytes.end());
    for (const char* name : {"config.bin", "config0.bin", "config1.bin", "config2.bin",
                             "config3.bin", "config4.bin", "config5.bin"}) {
        EXPECT_EQ(test::ReadBytes(kOutput / name), expected) << name;
    }
    const IniFile base(kOutput / "str.ini");
    EXPECT_EQ(base.GetString("Profile", "ItemCount"), "1");
    EXPECT_EQ(base.GetString("Profile", "Item0"), "Profile 1");
    EXPECT_EQ(base.GetString("Profile", "CurProfileName"), "Profile 1");
    for (int i = 0; i < 6; ++i) {
        const IniFile labels(kOutput / ("str" + std::to_string(i) + ".ini"));
        EXPECT_EQ(labels.GetString("Skins", "Lan"), "EN");
        EXPECT_EQ(labels.GetString("Setting-EN", "Item3"), "Scroll ");
        EXPECT_EQ(labels.GetString("Setting-DE", "Item5"), "Zurück");
        EXPECT_EQ(labels.GetString("Setting-CHS", "Item1"), "左键");
        EXPECT_EQ(labels.GetString("Setting-CHT", "Item7"), "DPI -");
    }
    EXPECT_EQ(test::ReadBytes(kOutput / "record.ini"),
              test::Utf16File("[MacroName]\r\nMacroCount=0\r\n0=\r\n"));
}

TEST(FactoryDataSet, DescribesANewGamingMouse) {
    const ConfigRecord r = FactoryRecord();
    const int dpi[] = {400, 800, 1600, 3200, 4800, 6400, 10800};
    std::set<std::array<uint8_t, 3>> colours;
    for (size_t stage = 1; stage <= kStageCount; ++stage) {
        EXPECT_EQ(r[rec::StageResolution(stage)] * 50, dpi[stage - 1]);
        EXPECT_EQ(r[rec::StageEnabled(stage)], stage <= 4 ? 1 : 0);
        const size_t c = rec::StageColour(stage);
        colours.insert({r[c], r[c + 1], r[c + 2]});
    }
    EXPECT_EQ(colours.size(), 7u) << "seven distinct stage colours";
    EXPECT_EQ(r[rec::kPollingDivisor], 1);
    EXPECT_EQ(r[rec::kLightingMode], 1);
    EXPECT_EQ(r[rec::kLightingLevel], 4);
    EXPECT_EQ(r[rec::kXSensitivity], 5);
    EXPECT_EQ(r[rec::kYSensitivity], 5);
    EXPECT_EQ(r[rec::kPointerSpeed], 6);
    EXPECT_EQ(r[rec::kDoubleClickSpeed], 6);
    EXPECT_EQ(r[rec::kScrollLines], 3);
    EXPECT_EQ(r[rec::kPageScroll], 0);
    EXPECT_EQ(r[rec::kAngleSnap], 0);
    EXPECT_EQ(r[rec::kEnhancePrecision], 1);
    const uint8_t functions[] = {0, 1, 2, 3, 4, 6, 6};
    for (size_t i = 0; i < kButtonCount; ++i) {
        EXPECT_EQ(r[rec::kButtonFunction + i], functions[i]) << i;
    }
    EXPECT_EQ(r[rec::kDpiAction + 5], 1);
    EXPECT_EQ(r[rec::kDpiAction + 6], 2);
}

TEST(FactoryDataSet, StartUpLoadsTheFirstProfileInEnglish) {
    test::TempDir dir;
    test::CopyFactoryDataSet(dir.Path());
    ConfigState state;
    ConfigFiles files(state, dir.Path());
    Localisation localisation;
    LoadProfileAtStartup(files, state, localisation);
    EXPECT_EQ(state.ProfileIndex, 0);
    EXPECT_EQ(localisation.code, "EN");
    EXPECT_EQ(state.working, FactoryRecord());
    EXPECT_EQ(state.backup, FactoryRecord());
    EXPECT_EQ(state.labels,
              (LabelList{"Click", "Menu", "Scroll ", "Forward", "Back", "DPI +", "DPI -"}));
}

}  // namespace
}  // namespace ventrio
