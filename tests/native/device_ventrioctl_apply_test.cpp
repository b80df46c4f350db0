// ventrioctl apply, run as the program it is, against the simulated mouse.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/hex.h"
#include "sim/sim_state.h"
#include "tests/native/test_support.h"
#include "tools/factory/factory_dataset.h"

namespace ventrio {
namespace {

using test::OutputProgram;
using test::RunCommand;

class VentrioctlApply : public ::testing::Test {
  protected:
    void SetUp() override { test::CopyFactoryDataSet(m_dir.Path()); }

    test::CommandResult Apply(const std::string& options) {
        return RunCommand(OutputProgram("ventrioctl") + " apply --dir '" + m_dir.Path().string() +
                          "' --sim '" + StateFile().string() + "' " + options);
    }
    std::filesystem::path StateFile() const { return m_dir / "mouse.json"; }

    test::TempDir m_dir;
};

TEST_F(VentrioctlApply, FirstRunStartsFromTheFactoryMouseAndWritesItsStateBack) {
    ASSERT_FALSE(std::filesystem::exists(StateFile()));
    const auto result = Apply("--json");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json.size(), 3u);

    const auto& reports = json["reports"];
    // Start-up's function option, then the 49 reports of the upload.
    ASSERT_EQ(reports.size(), 50u);
    EXPECT_EQ(reports[0], (nlohmann::json{{"op", "set-feature"}, {"data", "00017C000000000082"}}));
    EXPECT_EQ(reports[1], reports[0]);
    EXPECT_EQ(reports[5], (nlohmann::json{{"op", "get-feature"}, {"data", "008C008000000000F3"}}));
    EXPECT_EQ(reports[6]["op"], "read");
    EXPECT_EQ(reports[6]["data"].get<std::string>().size(), 130u);
    EXPECT_EQ(reports[49]["op"], "write");
    EXPECT_EQ(json["pausesMs"], 3622);
    EXPECT_EQ(json["pointer"], (nlohmann::json{{"mouse", {6, 10, 1}},
                                               {"speed", 10},
                                               {"wheelScrollLines", 3},
                                               {"doubleClickTime", 550}}));

    std::string error;
    const auto state = LoadSimStateFile(StateFile(), error);
    ASSERT_TRUE(state) << error;
    const uint8_t stages[] = {4, 8, 16, 32, 48, 64, 108};
    EXPECT_TRUE(std::equal(std::begin(stages), std::end(stages),
                           state->banks[0].settingsPage.begin() + 0x54));
    EXPECT_EQ(state->banks[0].buttonTable[0], 0x01);
    EXPECT_EQ(state->banks[0].pollingDivisor, 1);
    const ConfigRecord factory = FactoryRecord();
    std::vector<uint8_t> saved(1 + kConfigRecordSize, 1);
    std::copy(factory.bytes.begin(), factory.bytes.end(), saved.begin() + 1);
    EXPECT_EQ(test::ReadBytes(m_dir / "config0.bin"), saved);
}

TEST_F(VentrioctlApply, TheStateFileSetsTheMouseUp) {
    SimState start = FactorySimState();
    start.bank = 3;
    start.replyLength = 255;
    start.banks[0].settingsPage[0x48] = 0x77;
    std::string error;
    ASSERT_TRUE(SaveSimStateFile(StateFile(), start, error)) << error;

    auto result = Apply("--json");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto reports = nlohmann::json::parse(result.out)["reports"];
    EXPECT_EQ(reports[5]["data"], "008C00FF0000000074");
    for (size_t i = 6; i < 10; ++i) {
        EXPECT_EQ(reports[i]["op"], "read");
    }
    EXPECT_EQ(reports[10]["op"], "set-feature");
    const auto state = LoadSimStateFile(StateFile(), error);
    ASSERT_TRUE(state) << error;
    EXPECT_EQ(state->bank, 0);
    EXPECT_EQ(state->replyLength, 255);
    // Lighting mode 1 at level 4 sets byte 72 itself.
    EXPECT_EQ(state->banks[0].settingsPage[0x48], 8);

    result = Apply("--trace");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Applied profile 0 (config0.bin) to the simulated mouse: 52 reports, 3822 ms of "
              "pauses.\nWindows pointer settings: acceleration 6 10 1, speed 10, wheel 3 lines, "
              "double-click 550 ms.\n");
    EXPECT_NE(result.err.find("SetFunctionOption:7c-00\n"), std::string::npos) << result.err;
}

TEST_F(VentrioctlApply, RefusesWhatItCannotDo) {
    test::WriteText(StateFile(), R"({"bank": 9})");
    auto result = Apply("");
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("bank must be from 0 to 5"), std::string::npos) << result.err;
    EXPECT_EQ(test::ReadText(StateFile()), R"({"bank": 9})");

    test::ExpectVentrioctlFailures({
        {" apply --device", "no HID backend for this platform"},
        {" apply", "needs either --sim STATE or --device"},
        {" apply --device --sim x.json", "needs either --sim STATE or --device"},
        {" apply --sim", "needs a value"},
        {" apply --sim x.json --dir /no/such/folder", "no such folder"},
        {" apply --sim x.json extra", "takes no argument extra"},
    });
}

}  // namespace
}  // namespace ventrio
