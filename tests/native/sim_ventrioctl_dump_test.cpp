// ventrioctl sim-dump, run as the program it is.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "sim/sim_state.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using test::OutputProgram;
using test::RunCommand;

TEST(VentrioctlSimDump, AMissingStateIsTheFactoryMouseAndStaysMissing) {
    test::TempDir dir;
    const auto result =
        RunCommand(OutputProgram("ventrioctl") + " sim-dump '" + (dir / "m.json").string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, SimStateToJson(FactorySimState()) + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "m.json"));
    const auto json = nlohmann::ordered_json::parse(result.out);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"bank", "firmwareVersion", "banks", "macroSlots",
                                              "replyLength"}));
}

TEST(VentrioctlSimDump, PrintsAStateFileWithoutItsUnknownKeys) {
    test::TempDir dir;
    test::WriteText(dir / "m.json", R"({"bank": 5, "note": "kept by hand", "replyLength": 64})");
    const auto result =
        RunCommand(OutputProgram("ventrioctl") + " sim-dump '" + (dir / "m.json").string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["bank"], 5);
    EXPECT_EQ(json["replyLength"], 64);
    EXPECT_FALSE(json.contains("note"));
}

TEST(VentrioctlSimDump, RefusesBrokenStatesAndMissingArguments) {
    test::TempDir dir;
    test::WriteText(dir / "m.json", R"({"macroSlots": "none"})");
    test::ExpectVentrioctlFailures({
        {" sim-dump '" + (dir / "m.json").string() + "'", "macroSlots must be an array"},
        {" sim-dump", "needs one STATE file"},
        {" sim-dump a.json b.json", "needs one STATE file"},
    });
}

}  // namespace
}  // namespace ventrio
