// WM_DEVICECHANGE: what the main window does when a HID interface of the mouse arrives or goes.
#pragma once

#include <cstdint>
#include <string_view>

#include "config/config_files.h"
#include "config/config_state.h"
#include "device/device_link.h"
#include "device/input_report_reader.h"

namespace ventrio {

inline constexpr uint32_t kDbtDeviceArrival = 0x8000;
inline constexpr uint32_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr uint32_t kDbtDevtypDeviceInterface = 5;
// The HID interface class the main window registers for.
inline constexpr const char* kHidInterfaceClassGuid = "{4D1E55B2-F16F-11CF-88CB-001111000030}";

// The two written forms of the mouse's identifiers that each broadcast is searched for
// (case-sensitive substrings).
bool IsMouseArrivalPath(std::string_view interfacePath);
bool IsMouseRemovalPath(std::string_view interfacePath);

// What the main window does for the device-change handling.
class DeviceChangeWindow {
  public:
    virtual ~DeviceChangeWindow() = default;
    // Sends WM_DEVICE_EVENT to itself synchronously (14 mouse found, 15 mouse not found).
    virtual void SendDeviceEvent(uint32_t code, uint32_t value) = 0;
    virtual void HideMainWindow() = 0;
    virtual void AddTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
};

class DeviceChangeHandler {
  public:
    DeviceChangeHandler(DeviceLink& link, ConfigState& state, ConfigFiles& files,
                        InputReportReader& reader, DeviceChangeWindow& window);

    // `eventType` is the message's wParam; `deviceType` and `interfacePath` come from the
    // broadcast header (dbch_devicetype, dbcc_name as UTF-8). Every other broadcast is ignored.
    void OnDeviceChange(uint32_t eventType, uint32_t deviceType, std::string_view interfacePath);

    void OnMouseArrival();
    void OnMouseRemoval();

  private:
    void LoseMouse();

    DeviceLink& m_link;
    ConfigState& m_state;
    ConfigFiles& m_files;
    InputReportReader& m_reader;
    DeviceChangeWindow& m_window;
};

}  // namespace ventrio
