// ventrioctl button-table, encode-macros and the macro part of show, run as the program they are.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "assign/button_catalogue.h"
#include "config/config_files.h"
#include "macro/macro_store.h"
#include "platform/hex.h"
#include "tests/native/test_support.h"
#include "tools/factory/factory_dataset.h"

namespace ventrio {
namespace {

using test::OutputProgram;
using test::RunCommand;

std::string Ventrioctl(const std::string& args) {
    return OutputProgram("ventrioctl") + " " + args;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

void WriteConfigFile(const std::filesystem::path& file, const ConfigRecord& record) {
    std::vector<uint8_t> bytes(kConfigFileSize);
    bytes[0] = 1;
    std::copy(record.bytes.begin(), record.bytes.end(), bytes.begin() + 1);
    test::WriteBytes(file, bytes);
}

ConfigRecord AllButtons(uint8_t function) {
    ConfigRecord r;
    for (size_t i = 0; i < kButtonCount; ++i) {
        r[rec::kButtonFunction + i] = function;
    }
    return r;
}

TEST(VentrioctlButtonTable, PrintsThirtyTwoSlots) {
    test::TempDir dir;
    WriteConfigFile(dir / "zero.bin", ConfigRecord{});
    const auto result = RunCommand(Ventrioctl("button-table " + Quoted(dir / "zero.bin")));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string expected;
    for (int slot = 0; slot < 32; ++slot) {
        const char* word = slot < 7     ? "01 00 F0 00"
                           : slot == 14 ? "01 00 F7 00"
                           : slot == 15 ? "01 00 F8 00"
                                        : "00 00 00 00";
        expected += (slot < 10 ? "0" : "") + std::to_string(slot) + ": " + word + "\n";
    }
    EXPECT_EQ(result.out, expected);
}

// The device button table of every example of the button catalogue, through the JSON output.
TEST(VentrioctlButtonTable, CatalogueExamples) {
    struct Case {
        const char* what;
        ConfigRecord record;
        std::vector<std::pair<int, const char*>> slots;  // slot, word
    };
    ConfigRecord forwardBack;
    forwardBack[rec::kButtonFunction + 3] = kFunctionForward;
    forwardBack[rec::kButtonFunction + 4] = kFunctionBack;

    ConfigRecord dpiNoStage = AllButtons(kFunctionClick);
    dpiNoStage[rec::kButtonFunction + 5] = kFunctionDpi;
    dpiNoStage[rec::kDpiAction + 5] = kDpiLoop;
    dpiNoStage[rec::StageEnabled(7)] = 1;  // stage 7 does not count
    ConfigRecord dpiStage = dpiNoStage;
    dpiStage[rec::StageEnabled(3)] = 1;

    ConfigRecord media = AllButtons(kFunctionMultimedia);
    media[rec::kMultimediaCode + 0] = 0x83;  // Open Media Player
    media[rec::kMultimediaCode + 1] = 0xE2;  // Mute
    media[rec::kButtonFunction + 2] = kFunctionBasicCommand;
    media[rec::kBasicCommandKey + 2] = BasicCommandCode(9);  // Select All
    media[rec::kButtonFunction + 3] = kFunctionMacro;
    media[rec::kMacroRunMode + 3] = 2;                     // macro number 0
    media[rec::kButtonFunction + 4] = kFunctionSingleKey;  // a key without a code
    media[rec::kButtonFunction + 5] = kFunctionLeftTilt;
    media[rec::kButtonFunction + 6] = kFunctionFn;

    const Case cases[] = {
        {"all Click", ConfigRecord{}, {{0, "0100F000"}, {6, "0100F000"}, {7, "00000000"}}},
        {"forward and back swap slots", forwardBack, {{3, "0100F300"}, {4, "0100F400"}}},
        {"DPI without a stage among the first six", dpiNoStage, {{5, "00000000"}}},
        {"DPI with stage 3 enabled", dpiStage, {{5, "07000300"}}},
        {"the lists, macro, key, tilt and Fn",
         media,
         {{0, "03008301"},
          {1, "0300E200"},
          {2, "0000E004"},
          {4, "09020100"},
          {3, "00000000"},
          {5, "00000000"},
          {6, "00000000"},
          {14, "0100F700"},
          {15, "0100F800"}}},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        WriteConfigFile(dir / "config.bin", c.record);
        const auto result =
            RunCommand(Ventrioctl("button-table --json " + Quoted(dir / "config.bin")));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const auto json = nlohmann::json::parse(result.out);
        ASSERT_EQ(json.size(), 1u);
        const std::string table = json["buttonTable"];
        EXPECT_EQ(table, HexString(BuildDeviceButtonTable(c.record))) << c.what;
        for (const auto& [slot, word] : c.slots) {
            EXPECT_EQ(table.substr(8 * slot, 8), word) << c.what << ", slot " << slot;
        }
    }
}

TEST(VentrioctlButtonTable, ReadsFilesAsTheProgramDoes) {
    test::TempDir dir;
    // Flag byte and 62 record bytes: button 0 is Menu, everything after the file is zero.
    std::vector<uint8_t> shortFile(1 + rec::kButtonFunction + 1, 0);
    shortFile.back() = kFunctionMenu;
    test::WriteBytes(dir / "short.bin", shortFile);
    auto result = RunCommand(Ventrioctl("button-table " + Quoted(dir / "short.bin")));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("00: 01 00 F1 00\n01: 01 00 F0 00\n")) << result.out;

    test::ExpectVentrioctlFailures({
        {"button-table " + Quoted(dir / "missing.bin"), "cannot read"},
        {"button-table " + Quoted(dir.Path()), "cannot read"},
        {"button-table", "takes one configuration file"},
        {"button-table a.bin b.bin", "takes one configuration file"},
        {"button-table --dir x a.bin", "unknown option --dir"},
    });
}

class VentrioctlMacros : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopyFactoryDataSet(dir.Path());
        store.WriteMacroNames({"Macro_1", "Menu key"});
        store.WriteMacro({"Macro_1", 1, true, {"A   Dn", "100 ms", "A   Up"}});
        store.WriteMacro({"Menu key", 300, false, {"App   Dn", "App   Up"}});
    }

    test::TempDir dir;
    MacroStore store{dir / "record.ini"};
    const std::string zeroBlock = std::string(256, '0');
};

std::string Block(std::string hex) {
    hex.resize(256, '0');
    return hex;
}

TEST_F(VentrioctlMacros, EncodeMacrosJson) {
    const auto result = RunCommand(Ventrioctl("encode-macros --json --dir " + Quoted(dir.Path())));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("{\n  \"names\": [")) << "names come first";
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json.size(), 2u);
    EXPECT_EQ(json["names"], nlohmann::json({"Macro_1", "Menu key"}));
    ASSERT_EQ(json["blocks"].size(), 12u);
    EXPECT_EQ(json["blocks"][0], Block("00010A048504"));
    EXPECT_EQ(json["blocks"][1], Block("012C05658565")) << "the manager's table knows App";
    for (size_t n = 2; n < 12; ++n) {
        EXPECT_EQ(json["blocks"][n], zeroBlock) << n;
    }
}

TEST_F(VentrioctlMacros, EncodeMacrosWithoutMacros) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a store listing none", [&] { store.WriteMacroNames({}); }},
        {"no store", [&] { std::filesystem::remove(store.Path()); }},
    };
    for (const auto& [what, prepare] : cases) {
        prepare();
        const auto result =
            RunCommand(Ventrioctl("encode-macros --dir " + Quoted(dir.Path()) + " --json"));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const auto json = nlohmann::json::parse(result.out);
        EXPECT_EQ(json["names"], nlohmann::json::array()) << what;
        EXPECT_EQ(json["blocks"], nlohmann::json(std::vector<std::string>(12, zeroBlock))) << what;
    }
}

TEST_F(VentrioctlMacros, EncodeMacrosText) {
    std::vector<std::string> lines;
    for (int i = 0; i < 64; ++i) {
        lines.push_back(i % 2 == 0 ? "B   Dn" : "B   Up");
    }
    store.WriteMacroNames({"Macro_1", "Menu key", "Long"});
    store.WriteMacro({"Long", 1, false, lines});
    const auto result = RunCommand(Ventrioctl("encode-macros --dir " + Quoted(dir.Path())));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* expected : {
             "3 macros in ",
             "\n   1  \"Macro_1\"  3 lines, 6 bytes\n",
             "\n   3  \"Long\"  64 lines, 128 bytes, cut after 63 of 64 events (needs 130)\n",
             "\nSlot 1:\n  000: 00 01 0A 04 85 04 00 00 00 00 00 00 00 00 00 00\n",
             "\n  112: 85 05 05 05 85 05 05 05 85 05 05 05 85 05 05 05\nSlot 4:\n",
             "\nSlot 12:\n  000: 00 00",
         }) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    }
}

TEST_F(VentrioctlMacros, ShowListsTheMacrosTheLoadEncoded) {
    auto result = RunCommand(Ventrioctl("show --dir " + Quoted(dir.Path())));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Macros (2 in the macro store):\n"
                              "  Macro 1  \"Macro_1\"              3 lines    6 bytes\n"
                              "  Macro 2  \"Menu key\"             2 lines    6 bytes\n"),
              std::string::npos)
        << result.out;

    result = RunCommand(Ventrioctl("show --json --dir " + Quoted(dir.Path())));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string record = nlohmann::json::parse(result.out)["record"];
    EXPECT_EQ(record.substr(2 * rec::MacroBlock(0), 256), Block("00010A048504"));
    EXPECT_EQ(record.substr(2 * rec::MacroBlock(1), 256), Block("012C05008500"))
        << "at load time App has no code";
    const std::string factory = HexString(FactoryRecord().bytes);
    EXPECT_EQ(record.substr(2 * rec::MacroBlock(2)), factory.substr(2 * rec::MacroBlock(2)));

    std::filesystem::remove(store.Path());
    result = RunCommand(Ventrioctl("show --dir " + Quoted(dir.Path())));
    EXPECT_NE(result.out.find("Macros: no macro store"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace ventrio
