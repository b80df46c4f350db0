// ventrioctl show, run as the program it is.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/hex.h"
#include "platform/ini_file.h"
#include "tests/native/test_support.h"
#include "tools/factory/factory_dataset.h"

namespace ventrio {
namespace {

using test::OutputProgram;
using test::RunCommand;

TEST(VentrioctlShow, JsonOfTheFactoryDataSet) {
    test::TempDir dir;
    test::CopyFactoryDataSet(dir.Path());
    const auto result = RunCommand(OutputProgram("ventrioctl") + " show --json --dir '" +
                                   dir.Path().string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["profileIndex"], 0);
    EXPECT_EQ(json["configFile"], "config0.bin");
    EXPECT_EQ(json["labelFile"], "str0.ini");
    EXPECT_EQ(json["language"], "EN");
    EXPECT_EQ(json["labels"][2], "Scroll ");
    EXPECT_EQ(json["record"], HexString(FactoryRecord().bytes));
    EXPECT_EQ(json.size(), 6u);
}

TEST(VentrioctlShow, DefaultsToItsOwnFolderAndTracesOnRequest) {
    const auto result = RunCommand(OutputProgram("ventrioctl") + " show --trace");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("1600 DPI"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Polling rate: 1000 Hz"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("Program First Run Flag:1\nRead Size is: 1773"), std::string::npos)
        << result.err;
}

TEST(VentrioctlShow, UnchosenFilesAreNull) {
    test::TempDir dir;
    IniFile(dir / "str.ini").WriteString("Profile", "ItemCount", "9");
    const auto result = RunCommand(OutputProgram("ventrioctl") + " show --json --dir '" +
                                   dir.Path().string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_TRUE(json["configFile"].is_null());
    EXPECT_TRUE(json["labelFile"].is_null());
    EXPECT_EQ(json["record"], std::string(2 * kConfigRecordSize, '0'));
}

TEST(VentrioctlShow, BadArgumentsFailClearly) {
    test::ExpectVentrioctlFailures({
        {" show --dir /no/such/folder", "no such folder"},
        {" show --colour", "unknown option --colour"},
        {" show --dir", "needs a value"},
        {" frobnicate", "unknown command"},
    });
}

}  // namespace
}  // namespace ventrio
