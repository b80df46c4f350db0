#include "device/device_change.h"

#include "device/device_events.h"
#include "platform/trace.h"

namespace ventrio {

bool IsMouseArrivalPath(std::string_view interfacePath) {
    return interfacePath.find("VID_04d9&PID_b5d9") != std::string_view::npos ||
           interfacePath.find("VID_04D9&PID_B5D9") != std::string_view::npos;
}

bool IsMouseRemovalPath(std::string_view interfacePath) {
    return interfacePath.find("Vid_04d9&Pid_b5d9") != std::string_view::npos ||
           interfacePath.find("VID_04D9&PID_B5D9") != std::string_view::npos;
}

DeviceChangeHandler::DeviceChangeHandler(DeviceLink& link, ConfigState& state, ConfigFiles& files,
                                         InputReportReader& reader, DeviceChangeWindow& window)
    : m_link(link), m_state(state), m_files(files), m_reader(reader), m_window(window) {}

void DeviceChangeHandler::OnDeviceChange(uint32_t eventType, uint32_t deviceType,
                                         std::string_view interfacePath) {
    if (deviceType != kDbtDevtypDeviceInterface) {
        return;
    }
    if (eventType == kDbtDeviceArrival && IsMouseArrivalPath(interfacePath)) {
        OnMouseArrival();
    } else if (eventType == kDbtDeviceRemoveComplete && IsMouseRemovalPath(interfacePath)) {
        OnMouseRemoval();
    }
}

void DeviceChangeHandler::OnMouseArrival() {
    if (m_link.FindDevice() == 0) {
        LoseMouse();
        return;
    }
    m_window.SendDeviceEvent(static_cast<uint32_t>(kEventMouseFound), 0);
    m_link.SetDevicePresent(1);
    DeviceImage& image = m_link.Image();
    image.Clear();
    m_state.working[rec::kBank] = m_link.ReadBank();
    image[img::kFunctionOption] = command::kFunctionOption;
    m_link.SetFunctionOption();
    m_files.LoadConfiguration();
    m_files.ReadLabels();
    m_reader.Resume();
    m_window.AddTrayIcon();
}

void DeviceChangeHandler::OnMouseRemoval() {
    // Another matching mouse may still be connected.
    if (m_link.FindDevice() != 0) {
        m_link.SetDevicePresent(1);
        m_window.AddTrayIcon();
        return;
    }
    Trace("The system did not detect the gaming mouse.");
    LoseMouse();
}

void DeviceChangeHandler::LoseMouse() {
    m_window.SendDeviceEvent(static_cast<uint32_t>(kEventMouseNotFound), 0);
    m_window.HideMainWindow();
    m_link.SetDevicePresent(0);
    m_window.RemoveTrayIcon();
}

}  // namespace ventrio
