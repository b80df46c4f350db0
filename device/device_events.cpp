#include "device/device_events.h"

namespace ventrio {
namespace {

constexpr int kFirstStageText = 533;  // text 533 + k for stage k
constexpr int kMacroSwitchText = 545;
constexpr int kMouseNotFoundText = 547;
constexpr int kMouseFoundText = 548;
constexpr uint32_t kDpiBalloonMs = 5000;
constexpr uint32_t kPlugBalloonMs = 100;

bool IsDpiEvent(uint64_t code) {
    return code >= 1 && code <= 3;
}

DeviceEventCommands DpiCommands(uint64_t stage) {
    switch (stage) {
        case 3:
            return DeviceEventCommands::None;
        case 4:
            return DeviceEventCommands::ReadSettingsPage;
        default:
            return DeviceEventCommands::ReadBankThenSettingsPage;
    }
}

}  // namespace

DeviceEventDecision DecideDeviceEvent(uint64_t code, uint64_t value, const ConfigRecord& working,
                                      const TextTable& texts) {
    DeviceEventDecision decision;
    if (IsDpiEvent(code)) {
        if (value < 1 || value > kStageCount) {
            return decision;
        }
        decision.commands = DpiCommands(value);
        const int dpi = working[rec::StageResolution(value)] * 50;
        decision.balloon = TrayBalloon{texts.Text(kFirstStageText + static_cast<int>(value)) + "(" +
                                           std::to_string(dpi) + " DPI)",
                                       "Info", kDpiBalloonMs};
    } else if (code == kEventMacroSwitch) {
        if (value != 0) {
            decision.balloon = TrayBalloon{texts.Text(kMacroSwitchText) + std::to_string(value),
                                           "Info", kDpiBalloonMs};
        }
    } else if (code == kEventMouseFound) {
        decision.balloon = TrayBalloon{texts.Text(kMouseFoundText), "Info", kPlugBalloonMs};
    } else if (code == kEventMouseNotFound) {
        decision.balloon = TrayBalloon{texts.Text(kMouseNotFoundText), "Warning", kPlugBalloonMs};
    }
    return decision;
}

std::optional<TrayBalloon> OnDeviceEvent(DeviceLink& link, const ConfigRecord& working,
                                         const TextTable& texts, uint64_t code, uint64_t value) {
    DeviceEventDecision decision = DecideDeviceEvent(code, value, working, texts);
    if (decision.commands == DeviceEventCommands::ReadBankThenSettingsPage) {
        link.ReadBank();
    }
    if (decision.commands != DeviceEventCommands::None) {
        link.ReadSettingsPage();
    }
    return std::move(decision.balloon);
}

}  // namespace ventrio
