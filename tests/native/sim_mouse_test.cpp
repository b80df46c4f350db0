// The simulated mouse: its state file format and the firmware side of the contract.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/hex.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_state.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

TEST(SimState, JsonRoundTripKeepsEveryByte) {
    SimState state = FactorySimState();
    state.bank = 4;
    state.firmwareVersion = {0xAB, 0x00};
    state.banks[5].pollingDivisor = 8;
    state.banks[5].settingsPage[127] = 0x5A;
    state.banks[2].buttonTable[0] = 0x09;
    state.macroSlots[11][0] = 0xFF;
    state.replyLength = 0;
    std::string error;
    const auto back = SimStateFromJson(SimStateToJson(state), error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, state);

    const auto json = nlohmann::json::parse(SimStateToJson(FactorySimState()));
    EXPECT_TRUE(json["replyLength"].is_null());
    EXPECT_EQ(json["banks"].size(), 6u);
    EXPECT_EQ(json["macroSlots"].size(), 12u);
    EXPECT_EQ(json["banks"][0]["settingsPage"].get<std::string>().size(), 256u);
    EXPECT_EQ(json["macroSlots"][0], std::string(256, '0'));
}

TEST(SimState, MissingKeysKeepTheFactoryValuesAndUnknownKeysAreIgnored) {
    std::string error;
    const auto state = SimStateFromJson(
        R"({"bank": 2, "replyLength": 200, "colour": "blue", "banks": [{}, {"pollingDivisor": 4,
            "extra": 1}, {}, {}, {}, {}]})",
        error);
    ASSERT_TRUE(state) << error;
    SimState expected = FactorySimState();
    expected.bank = 2;
    expected.replyLength = 200;
    expected.banks[1].pollingDivisor = 4;
    EXPECT_EQ(*state, expected);
}

TEST(SimState, MalformedStatesAreRefusedWithAReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "not valid JSON"},
        {"[1, 2]", "must be a JSON object"},
        {R"({"bank": 6})", "bank must be from 0 to 5"},
        {R"({"bank": -1})", "bank must be an integer"},
        {R"({"bank": "1"})", "bank must be an integer"},
        {R"({"firmwareVersion": [1]})", "firmwareVersion must be an array of two bytes"},
        {R"({"firmwareVersion": [1, 256]})", "firmwareVersion must be an integer"},
        {R"({"banks": [{}, {}]})", "banks must be an array of six objects"},
        {R"({"banks": [{}, {}, {}, {}, {}, 7]})", "banks[5] must be an object"},
        {R"({"banks": [{"settingsPage": "00"}, {}, {}, {}, {}, {}]})",
         "banks[0].settingsPage must be 256 hexadecimal digits"},
        {R"({"macroSlots": []})", "macroSlots must be an array of twelve strings"},
        {R"({"replyLength": 256})", "replyLength must be an integer from 0 to 255"},
        {R"({"replyLength": 1.5})", "replyLength must be an integer from 0 to 255"},
    };
    for (const auto& [json, message] : cases) {
        std::string error;
        EXPECT_FALSE(SimStateFromJson(json, error)) << json;
        EXPECT_NE(error.find(message), std::string::npos) << json << ": " << error;
    }
    std::string error;
    const std::string badSlot = R"({"macroSlots": [")" + std::string(255, '0') + "G" +
                                R"(", "", "", "", "", "", "", "", "", "", "", ""]})";
    EXPECT_FALSE(SimStateFromJson(badSlot, error));
    EXPECT_NE(error.find("macroSlots[0] must be 256 hexadecimal digits"), std::string::npos);
}

TEST(SimState, AMissingFileIsTheFactoryStateAndIsNotCreated) {
    test::TempDir dir;
    std::string error;
    EXPECT_EQ(LoadSimStateFile(dir / "mouse.json", error), FactorySimState());
    EXPECT_FALSE(std::filesystem::exists(dir / "mouse.json"));
    SimState state = FactorySimState();
    state.bank = 1;
    ASSERT_TRUE(SaveSimStateFile(dir / "mouse.json", state, error)) << error;
    EXPECT_EQ(LoadSimStateFile(dir / "mouse.json", error), state);
    test::WriteText(dir / "broken.json", "{");
    EXPECT_FALSE(LoadSimStateFile(dir / "broken.json", error));
    EXPECT_NE(error.find("broken.json: not valid JSON"), std::string::npos) << error;
}

// The firmware side driven report by report, the way only a misbehaving host would.
class SimFirmwareTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(m_backend.ListInterfaces()->DevicePath(2).value(), m_mouse->Interfaces()[2].path);
        m_path = m_mouse->Interfaces()[2].path;
        m_command = m_backend.OpenCommandInterface(m_path);
        ASSERT_TRUE(m_command);
    }

    bool Send(std::string_view hex) {
        const auto bytes = ParseHex(hex);
        return m_command->SetFeature(*bytes);
    }
    bool Write(uint8_t fill, size_t size = 65) {
        std::vector<uint8_t> report(size, fill);
        report[0] = 0;
        return m_command->WriteOutput(report);
    }

    std::shared_ptr<SimulatedMouse> m_mouse = std::make_shared<SimulatedMouse>();
    SimHidBackend m_backend{m_mouse};
    std::string m_path;
    std::unique_ptr<HidCommandInterface> m_command;
};

TEST_F(SimFirmwareTest, TakesOnlyCommandsWithTheRightChecksum) {
    EXPECT_TRUE(Send("000203000000000000"));  // wrong checksum: taken over the wire, ignored
    EXPECT_EQ(m_mouse->State().bank, 0);
    EXPECT_TRUE(Send("0002030000000000FA"));
    EXPECT_EQ(m_mouse->State().bank, 3);
    EXPECT_TRUE(Send("0002090000000000F4"));  // there is no bank 9
    EXPECT_EQ(m_mouse->State().bank, 3);
    EXPECT_FALSE(m_command->SetFeature(std::vector<uint8_t>(8, 0)));
}

TEST_F(SimFirmwareTest, DataPhaseFillsTheAddressedAreaOnlyWhenComplete) {
    const SimState before = m_mouse->State();
    ASSERT_TRUE(Send("000D04800000000000"));  // wrong checksum: the chunks go nowhere
    EXPECT_TRUE(Write(0x11));
    EXPECT_TRUE(Write(0x11));
    ASSERT_TRUE(Send("000D0480000000006E"));
    EXPECT_TRUE(Write(0x22));
    EXPECT_EQ(m_mouse->State().banks[4].buttonTable, before.banks[4].buttonTable);
    EXPECT_FALSE(Write(0x22, 64));  // the wrong length fails
    EXPECT_TRUE(Write(0x33));
    SimArea expected;
    std::fill(expected.begin(), expected.begin() + 64, 0x22);
    std::fill(expected.begin() + 64, expected.end(), 0x33);
    EXPECT_EQ(m_mouse->State().banks[4].buttonTable, expected);
    // A new command ends an unfinished transfer.
    ASSERT_TRUE(Send("000F0C800000000064"));
    EXPECT_TRUE(Write(0x44));
    ASSERT_TRUE(Send("0002000000000000FD"));
    EXPECT_TRUE(Write(0x55));
    EXPECT_EQ(m_mouse->State().macroSlots[11], SimArea{});
}

TEST_F(SimFirmwareTest, HandlesOpenedBeforeAnUnplugStayDead) {
    m_mouse->Unplug();
    EXPECT_FALSE(Send("0002030000000000FA"));
    EXPECT_TRUE(m_backend.ListInterfaces()->Enumerate(0) == HidEnumResult::NoMoreItems);
    EXPECT_FALSE(m_backend.OpenProbe(m_path));
    m_mouse->Plug();
    EXPECT_FALSE(Send("0002030000000000FA"));
    const auto fresh = m_backend.OpenCommandInterface(m_path);
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->SetFeature(*ParseHex("0002030000000000FA")));
    EXPECT_EQ(m_mouse->State().bank, 3);
}

TEST_F(SimFirmwareTest, ReadsWithoutAnAnnouncedChunkFailInsteadOfWaiting) {
    std::vector<uint8_t> report(65);
    EXPECT_FALSE(m_command->ReadInput(report));
    ASSERT_TRUE(Send("008C00000000000073"));
    std::vector<uint8_t> tooShort(64);
    EXPECT_FALSE(m_command->ReadInput(tooShort));
    EXPECT_EQ(m_command->ReadInput(report), 65u);
    EXPECT_EQ(m_command->ReadInput(report), 65u);
    EXPECT_FALSE(m_command->ReadInput(report));
}

}  // namespace
}  // namespace ventrio
