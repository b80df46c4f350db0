// The HID services the device link needs, step by step as the mouse search walks them: the list of
// present HID interfaces, a probe handle for attributes and capabilities, the vendor input
// interface opened for overlapped reading, and the command interface opened for synchronous
// feature, output and input reports. Implementations: SetupAPI and the HID class driver
// (platform/win) and the simulated mouse (sim/).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace ventrio {

struct HidAttributes {
    uint16_t VendorID = 0;
    uint16_t ProductID = 0;
    uint16_t VersionNumber = 0;
};

struct HidCaps {
    uint16_t Usage = 0;
    uint16_t UsagePage = 0;
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
    uint16_t FeatureReportByteLength = 0;
};

enum class HidEnumResult { Found, NoMoreItems, Failed };

// The snapshot of present HID interfaces; destroying it frees the list.
class HidInterfaceList {
  public:
    virtual ~HidInterfaceList() = default;
    virtual HidEnumResult Enumerate(uint32_t index) = 0;
    // The device path (UTF-8) of the interface last enumerated with `index`.
    virtual std::optional<std::string> DevicePath(uint32_t index) = 0;
};

class HidPreparsedData {
  public:
    virtual ~HidPreparsedData() = default;
    // nullopt when the platform calls the preparsed data invalid.
    virtual std::optional<HidCaps> GetCaps() = 0;
};

// An interface opened without access rights: enough to ask who it is.
class HidProbe {
  public:
    virtual ~HidProbe() = default;
    virtual std::optional<HidAttributes> GetAttributes() = 0;
    // nullptr on failure; the data outlives the probe.
    virtual std::unique_ptr<HidPreparsedData> GetPreparsedData() = 0;
};

// The command interface, opened for reading and writing; every call blocks until it is done.
class HidCommandInterface {
  public:
    virtual ~HidCommandInterface() = default;
    virtual bool SetFeature(std::span<const uint8_t> report) = 0;
    virtual bool GetFeature(std::span<uint8_t> report) = 0;
    virtual bool WriteOutput(std::span<const uint8_t> report) = 0;
    // The number of bytes read, nullopt on failure.
    virtual std::optional<size_t> ReadInput(std::span<uint8_t> report) = 0;
};

// The reader's wake-up event: manual reset, signalled by a completed read and by the mouse search
// when it opens a new input interface.
class HidEvent {
  public:
    virtual ~HidEvent() = default;
    virtual void Set() = 0;
    virtual void Reset() = 0;
    // Without time-out.
    virtual void Wait() = 0;
};

// A portable manual-reset event for backends that do not live in the platform's kernel.
class ManualResetEvent final : public HidEvent {
  public:
    void Set() override;
    void Reset() override;
    void Wait() override;

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled = false;
};

enum class HidReadStatus { Pending, Completed, Failed, Cancelled };

struct HidReadResult {
    HidReadStatus status = HidReadStatus::Failed;
    size_t bytes = 0;
};

// The vendor input interface, opened for reading only with overlapped reads. At most one read is
// outstanding; its buffer belongs to the interface until the read has completed or been
// cancelled.
class HidInputInterface {
  public:
    virtual ~HidInputInterface() = default;
    // Starts a read into `buffer`; its completion signals `completion`. Like the platform's
    // overlapped read, starting resets the event. False when the read could not be started.
    virtual bool StartRead(std::span<uint8_t> buffer, HidEvent& completion) = 0;
    // The state of the started read, without waiting.
    virtual HidReadResult CheckRead() = 0;
    // Stops the started read and returns once its buffer is no longer used; a read that had
    // completed already reports its result.
    virtual HidReadResult CancelRead() = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // nullptr when the list cannot be made.
    virtual std::unique_ptr<HidInterfaceList> ListInterfaces() = 0;
    // Each returns nullptr when the path cannot be opened that way.
    virtual std::unique_ptr<HidProbe> OpenProbe(const std::string& path) = 0;
    virtual std::shared_ptr<HidInputInterface> OpenInputInterface(const std::string& path) = 0;
    virtual std::unique_ptr<HidCommandInterface> OpenCommandInterface(const std::string& path) = 0;
    // nullptr when the event cannot be created.
    virtual std::shared_ptr<HidEvent> CreateReaderEvent() = 0;
};

}  // namespace ventrio
