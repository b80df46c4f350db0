// WM_DEVICE_EVENT: what an event reported by the mouse (or by the device-change handling) does:
// which device commands run first, and which balloon the tray icon shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/localisation.h"
#include "config/config_record.h"
#include "device/device_link.h"

namespace ventrio {

// Event codes: 1 to 3 a DPI stage change, 9 a macro key switch; 14 and 15 come from the
// device-change handling (mouse found, mouse not found).
inline constexpr uint64_t kEventMacroSwitch = 9;
inline constexpr uint64_t kEventMouseFound = 14;
inline constexpr uint64_t kEventMouseNotFound = 15;

enum class DeviceEventCommands {
    None,
    ReadSettingsPage,
    ReadBankThenSettingsPage,
};

struct TrayBalloon {
    std::string text;
    std::string title;
    uint32_t timeoutMs = 0;

    bool operator==(const TrayBalloon&) const = default;
};

struct DeviceEventDecision {
    DeviceEventCommands commands = DeviceEventCommands::None;
    std::optional<TrayBalloon> balloon;
};

// The decision for an event: `code` and `value` are the message's wParam and lParam. The DPI a
// balloon shows comes from the working record, the texts from the loaded text table.
DeviceEventDecision DecideDeviceEvent(uint64_t code, uint64_t value, const ConfigRecord& working,
                                      const TextTable& texts);

// The WM_DEVICE_EVENT handler's work: runs the decision's device commands, then returns the
// balloon the tray icon is to show.
std::optional<TrayBalloon> OnDeviceEvent(DeviceLink& link, const ConfigRecord& working,
                                         const TextTable& texts, uint64_t code, uint64_t value);

}  // namespace ventrio
