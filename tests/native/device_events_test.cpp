// WM_DEVICE_EVENT: the device commands and the balloon of every event.
#include <gtest/gtest.h>

#include "device/device_events.h"
#include "tests/native/device_fixture.h"

namespace ventrio {
namespace {

using test::Describe;
using test::SimRig;

ConfigRecord StageRecord() {
    ConfigRecord record;
    for (size_t stage = 1; stage <= kStageCount; ++stage) {
        record[rec::StageResolution(stage)] = static_cast<uint8_t>(8 * stage);  // 400 DPI steps
    }
    record[rec::StageResolution(3)] = 32;
    return record;
}

TEST(DeviceEvents, DecisionForEveryKindOfEvent) {
    struct Case {
        uint64_t code;
        uint64_t value;
        DeviceEventCommands commands;
        std::optional<TrayBalloon> balloon;
    };
    using C = DeviceEventCommands;
    const auto info = [](std::string text) { return TrayBalloon{std::move(text), "Info", 5000}; };
    const Case cases[] = {
        {1, 1, C::ReadBankThenSettingsPage, info("Switch DPI into the first stage (400 DPI)")},
        {2, 2, C::ReadBankThenSettingsPage, info("Switch DPI into the second stage (800 DPI)")},
        {2, 3, C::None, info("Switch DPI into the third stage (1600 DPI)")},
        {3, 4, C::ReadSettingsPage, info("Switch DPI into the fourth stage (1600 DPI)")},
        {1, 5, C::ReadBankThenSettingsPage, info("Switch DPI into the fifth stage (2000 DPI)")},
        {3, 6, C::ReadBankThenSettingsPage, info("Switch DPI into the sixth stage (2400 DPI)")},
        {1, 7, C::ReadBankThenSettingsPage, info("Switch DPI into the seven stage (2800 DPI)")},
        {1, 0, C::None, std::nullopt},
        {2, 8, C::None, std::nullopt},
        {3, 0x100000003, C::None, std::nullopt},
        {9, 3, C::None, info("Switch to macro key3")},
        {9, 255, C::None, info("Switch to macro key255")},
        {9, 0, C::None, std::nullopt},
        {14, 0, C::None, TrayBalloon{"The system detect Korvex2016版 gaming mouse.", "Info", 100}},
        {15, 7, C::None,
         TrayBalloon{"The system did not detect Korvex2016版 gaming mouse!", "Warning", 100}},
        {0, 1, C::None, std::nullopt},
        {4, 1, C::None, std::nullopt},
        {10, 1, C::None, std::nullopt},
        {0x100000001, 1, C::None, std::nullopt},
    };
    TextTable texts;
    texts.Load("EN");
    const ConfigRecord record = StageRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.code << "/" << c.value);
        const DeviceEventDecision decision = DecideDeviceEvent(c.code, c.value, record, texts);
        EXPECT_EQ(decision.commands, c.commands);
        EXPECT_EQ(decision.balloon, c.balloon);
    }
}

TEST(DeviceEvents, BalloonsSpeakTheLoadedLanguage) {
    TextTable texts;
    texts.Load("CHS");
    const ConfigRecord record = StageRecord();
    EXPECT_EQ(DecideDeviceEvent(2, 3, record, texts).balloon->text, "DPI切换到第三段 (1600 DPI)");
    EXPECT_EQ(DecideDeviceEvent(9, 2, record, texts).balloon->text, "切换到宏2");
    EXPECT_EQ(DecideDeviceEvent(15, 0, record, texts).balloon->title, "Warning");
}

TEST(DeviceEvents, HandlerRefreshesTheImageBeforeTheBalloon) {
    struct Case {
        uint64_t code;
        uint64_t value;
        std::vector<std::string> reports;
    };
    const std::string readBank[] = {"set-feature 00820000000000007D",
                                    "get-feature 00820200000000007B"};
    const std::string readPageOfBank2 = "set-feature 008C02000000000071";
    const Case cases[] = {
        {1, 1, {readBank[0], readBank[1], readPageOfBank2}},
        {3, 4, {"set-feature 008C0500000000006E"}},
        {2, 3, {}},
        {9, 1, {}},
        {14, 0, {}},
        {2, 9, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.code << "/" << c.value);
        SimState state = FactorySimState();
        state.bank = 2;
        SimRig rig({}, state);
        ConfigRecord working = StageRecord();
        rig.Connect(working);
        rig.link.Image()[img::kBank] = 5;
        TextTable texts;
        texts.Load("EN");
        const auto balloon = OnDeviceEvent(rig.link, working, texts, c.code, c.value);
        std::vector<std::string> commands;
        for (const std::string& line : Describe(rig.mouse->ReportLog())) {
            // Only the command reports and the bank reply: the page's chunks are checked elsewhere.
            if (line.starts_with("set-feature") || line.starts_with("get-feature 0082")) {
                commands.push_back(line);
            }
        }
        EXPECT_EQ(commands, c.reports);
        if (!c.reports.empty()) {
            const size_t bank = c.reports.size() > 1 ? 2 : 5;
            const SimArea page = rig.mouse->State().banks[bank].settingsPage;
            EXPECT_TRUE(
                std::equal(page.begin(), page.end(), rig.link.Image().SettingsPage().begin()));
        }
        EXPECT_EQ(balloon, DecideDeviceEvent(c.code, c.value, working, texts).balloon);
    }
}

}  // namespace
}  // namespace ventrio
