// The device-interface broadcasts of WM_DEVICECHANGE: registering a window for HID interfaces,
// reading a broadcast, and sending one (for a device the system does not know, such as the
// simulated mouse).
#pragma once

#include <windows.h>

#include <dbt.h>

#include <optional>
#include <string>

namespace ventrio {

// Owns a device-notification registration.
class DeviceNotification {
  public:
    DeviceNotification() = default;
    explicit DeviceNotification(HDEVNOTIFY handle) : m_handle(handle) {}
    ~DeviceNotification() { Reset(); }
    DeviceNotification(const DeviceNotification&) = delete;
    DeviceNotification& operator=(const DeviceNotification&) = delete;
    DeviceNotification& operator=(DeviceNotification&& other) noexcept {
        if (this != &other) {
            Reset(other.m_handle);
            other.m_handle = nullptr;
        }
        return *this;
    }

    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(HDEVNOTIFY handle = nullptr) {
        if (m_handle != nullptr) {
            UnregisterDeviceNotification(m_handle);
        }
        m_handle = handle;
    }

  private:
    HDEVNOTIFY m_handle = nullptr;
};

// Registers `window` for arrivals and removals of HID interfaces; empty on failure.
DeviceNotification RegisterForHidInterfaces(HWND window);

// The header's device type and, for a device interface, its path as UTF-8.
struct DeviceBroadcast {
    DWORD deviceType = 0;
    std::string interfacePath;
};
std::optional<DeviceBroadcast> ReadDeviceBroadcast(LPARAM lParam);

// Sends WM_DEVICECHANGE with an interface arrival or removal for `path` to `window`.
void SendDeviceInterfaceBroadcast(HWND window, bool arrival, const std::string& path);

}  // namespace ventrio
