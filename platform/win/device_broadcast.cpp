#include "platform/win/device_broadcast.h"

#include <cstddef>
#include <vector>

#include "platform/win/wide_text.h"

namespace ventrio {
namespace {

// {4D1E55B2-F16F-11CF-88CB-001111000030}: the HID interface class.
constexpr GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace

DeviceNotification RegisterForHidInterfaces(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    return DeviceNotification(
        RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

std::optional<DeviceBroadcast> ReadDeviceBroadcast(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (header == nullptr) {
        return std::nullopt;
    }
    DeviceBroadcast broadcast;
    broadcast.deviceType = header->dbch_devicetype;
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
        const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
        // The name runs to the end of the broadcast; never read past its announced size.
        const size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
        const size_t room =
            header->dbch_size > nameOffset ? (header->dbch_size - nameOffset) / sizeof(wchar_t) : 0;
        size_t length = 0;
        while (length < room && device->dbcc_name[length] != L'\0') {
            ++length;
        }
        broadcast.interfacePath = Narrow(std::wstring_view(device->dbcc_name, length));
    }
    return broadcast;
}

void SendDeviceInterfaceBroadcast(HWND window, bool arrival, const std::string& path) {
    if (window == nullptr) {
        return;
    }
    const std::wstring name = Widen(path);
    const size_t size =
        offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (name.size() + 1) * sizeof(wchar_t);
    std::vector<std::byte> buffer(std::max(size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)));
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    broadcast->dbcc_size = static_cast<DWORD>(size);
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast->dbcc_classguid = kHidInterfaceClass;
    std::copy(name.begin(), name.end(), broadcast->dbcc_name);
    broadcast->dbcc_name[name.size()] = L'\0';
    SendMessageW(window, WM_DEVICECHANGE, arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                 reinterpret_cast<LPARAM>(broadcast));
}

}  // namespace ventrio
