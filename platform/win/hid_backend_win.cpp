#include "platform/win/hid_backend_win.h"

#include <windows.h>
// clang-format off
#include <setupapi.h>
// mingw-w64's HID headers declare their functions without C linkage.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
// clang-format on

#include <vector>

#include "platform/win/wide_text.h"

namespace ventrio {
namespace {

// GUID_DEVINTERFACE_HID, the HID interface class.
constexpr GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (Valid()) {
            CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

HANDLE OpenPath(const std::string& path, DWORD access, DWORD flags) {
    return CreateFileW(Widen(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

class WinInterfaceList final : public HidInterfaceList {
  public:
    explicit WinInterfaceList(HDEVINFO set) : m_set(set) {}
    ~WinInterfaceList() override { SetupDiDestroyDeviceInfoList(m_set); }

    HidEnumResult Enumerate(uint32_t index) override {
        m_data = {};
        m_data.cbSize = sizeof(m_data);
        if (SetupDiEnumDeviceInterfaces(m_set, nullptr, &kHidInterfaceClass, index, &m_data)) {
            return HidEnumResult::Found;
        }
        return GetLastError() == ERROR_NO_MORE_ITEMS ? HidEnumResult::NoMoreItems
                                                     : HidEnumResult::Failed;
    }

    std::optional<std::string> DevicePath(uint32_t /*index*/) override {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(m_set, &m_data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
            return std::nullopt;
        }
        // The detail structure ends in a variable-length path; an array of DWORDs keeps it
        // aligned.
        std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(m_set, &m_data, detail, size, nullptr, nullptr)) {
            return std::nullopt;
        }
        return Narrow(detail->DevicePath);
    }

  private:
    HDEVINFO m_set;
    SP_DEVICE_INTERFACE_DATA m_data{};
};

class WinPreparsedData final : public HidPreparsedData {
  public:
    explicit WinPreparsedData(PHIDP_PREPARSED_DATA data) : m_data(data) {}
    ~WinPreparsedData() override { HidD_FreePreparsedData(m_data); }

    std::optional<HidCaps> GetCaps() override {
        HIDP_CAPS caps{};
        if (HidP_GetCaps(m_data, &caps) == HIDP_STATUS_INVALID_PREPARSED_DATA) {
            return std::nullopt;
        }
        return HidCaps{caps.Usage, caps.UsagePage, caps.InputReportByteLength,
                       caps.OutputReportByteLength, caps.FeatureReportByteLength};
    }

  private:
    PHIDP_PREPARSED_DATA m_data;
};

class WinProbe final : public HidProbe {
  public:
    explicit WinProbe(HANDLE handle) : m_handle(handle) {}

    std::optional<HidAttributes> GetAttributes() override {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof(attributes);
        if (!HidD_GetAttributes(m_handle.Get(), &attributes)) {
            return std::nullopt;
        }
        return HidAttributes{attributes.VendorID, attributes.ProductID, attributes.VersionNumber};
    }

    std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
        PHIDP_PREPARSED_DATA data = nullptr;
        if (!HidD_GetPreparsedData(m_handle.Get(), &data)) {
            return nullptr;
        }
        return std::make_unique<WinPreparsedData>(data);
    }

  private:
    FileHandle m_handle;
};

class WinCommandInterface final : public HidCommandInterface {
  public:
    explicit WinCommandInterface(HANDLE handle) : m_handle(handle) {}

    bool SetFeature(std::span<const uint8_t> report) override {
        // The driver does not write through the buffer, whatever the declaration says.
        return HidD_SetFeature(m_handle.Get(), const_cast<uint8_t*>(report.data()),
                               static_cast<ULONG>(report.size()));
    }
    bool GetFeature(std::span<uint8_t> report) override {
        return HidD_GetFeature(m_handle.Get(), report.data(), static_cast<ULONG>(report.size()));
    }
    bool WriteOutput(std::span<const uint8_t> report) override {
        DWORD written = 0;
        return WriteFile(m_handle.Get(), report.data(), static_cast<DWORD>(report.size()), &written,
                         nullptr);
    }
    std::optional<size_t> ReadInput(std::span<uint8_t> report) override {
        DWORD read = 0;
        if (!ReadFile(m_handle.Get(), report.data(), static_cast<DWORD>(report.size()), &read,
                      nullptr)) {
            return std::nullopt;
        }
        return read;
    }

  private:
    FileHandle m_handle;
};

class WinEvent final : public HidEvent {
  public:
    explicit WinEvent(HANDLE handle) : m_handle(handle) {}
    void Set() override { SetEvent(m_handle.Get()); }
    void Reset() override { ResetEvent(m_handle.Get()); }
    void Wait() override { WaitForSingleObject(m_handle.Get(), INFINITE); }
    HANDLE Get() const { return m_handle.Get(); }

  private:
    FileHandle m_handle;
};

class WinInputInterface final : public HidInputInterface {
  public:
    explicit WinInputInterface(HANDLE handle) : m_handle(handle) {}
    ~WinInputInterface() override {
        if (m_pending) {
            CancelIoEx(m_handle.Get(), &m_overlapped);
            WaitUntilFinished();
        }
    }

    bool StartRead(std::span<uint8_t> buffer, HidEvent& completion) override {
        auto* event = dynamic_cast<WinEvent*>(&completion);
        if (event == nullptr || m_pending) {
            return false;
        }
        m_overlapped = {};
        m_overlapped.hEvent = event->Get();
        if (!ReadFile(m_handle.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                      &m_overlapped) &&
            GetLastError() != ERROR_IO_PENDING) {
            return false;
        }
        m_pending = true;
        return true;
    }

    HidReadResult CheckRead() override {
        if (!m_pending) {
            return HidReadResult{HidReadStatus::Failed, 0};
        }
        DWORD bytes = 0;
        if (GetOverlappedResult(m_handle.Get(), &m_overlapped, &bytes, FALSE)) {
            m_pending = false;
            return HidReadResult{HidReadStatus::Completed, bytes};
        }
        if (GetLastError() == ERROR_IO_INCOMPLETE) {
            return HidReadResult{HidReadStatus::Pending, 0};
        }
        m_pending = false;
        return HidReadResult{HidReadStatus::Failed, 0};
    }

    HidReadResult CancelRead() override {
        if (!m_pending) {
            return HidReadResult{HidReadStatus::Failed, 0};
        }
        CancelIoEx(m_handle.Get(), &m_overlapped);
        WaitUntilFinished();
        m_pending = false;
        DWORD bytes = 0;
        if (GetOverlappedResult(m_handle.Get(), &m_overlapped, &bytes, FALSE)) {
            return HidReadResult{HidReadStatus::Completed, bytes};
        }
        return HidReadResult{HidReadStatus::Cancelled, 0};
    }

  private:
    // The read's event is shared with the mouse search, so a signalled event does not mean the
    // read has finished; the request itself says when the buffer is free again.
    void WaitUntilFinished() {
        while (!HasOverlappedIoCompleted(&m_overlapped)) {
            Sleep(1);
        }
    }

    FileHandle m_handle;
    OVERLAPPED m_overlapped{};
    bool m_pending = false;
};

class WinHidBackend final : public HidBackend {
  public:
    std::unique_ptr<HidInterfaceList> ListInterfaces() override {
        const HDEVINFO set = SetupDiGetClassDevsW(&kHidInterfaceClass, nullptr, nullptr,
                                                  DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (set == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<WinInterfaceList>(set);
    }

    std::unique_ptr<HidProbe> OpenProbe(const std::string& path) override {
        const HANDLE handle = OpenPath(path, 0, 0);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<WinProbe>(handle);
    }

    std::shared_ptr<HidInputInterface> OpenInputInterface(const std::string& path) override {
        const HANDLE handle =
            OpenPath(path, GENERIC_READ, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_shared<WinInputInterface>(handle);
    }

    std::unique_ptr<HidCommandInterface> OpenCommandInterface(const std::string& path) override {
        const HANDLE handle = OpenPath(path, GENERIC_READ | GENERIC_WRITE, 0);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<WinCommandInterface>(handle);
    }

    std::shared_ptr<HidEvent> CreateReaderEvent() override {
        const HANDLE handle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (handle == nullptr) {
            return nullptr;
        }
        return std::make_shared<WinEvent>(handle);
    }
};

}  // namespace

std::unique_ptr<HidBackend> CreateSystemHidBackend() {
    return std::make_unique<WinHidBackend>();
}

}  // namespace ventrio
