// The link to the mouse: finding its two HID interfaces, the command and data report transport,
// every command the program sends, and the device image the commands read and write. One
// instance lives for the whole process, owned by the main window; everything runs on the
// user-interface thread except the few reads the input reader makes through ReaderState().
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "config/config_record.h"
#include "device/device_image.h"
#include "platform/clock.h"
#include "platform/hid.h"

namespace ventrio {

inline constexpr uint16_t kMouseVendorId = 0x04D9;
inline constexpr uint16_t kMouseProductId = 0xB5D9;
inline constexpr uint16_t kCommandUsagePage = 0xFF00;
inline constexpr uint16_t kCommandUsage = 0xFF00;
inline constexpr uint16_t kCommandFeatureLength = 9;
inline constexpr uint16_t kEventUsagePage = 0xFF01;
inline constexpr uint16_t kEventUsage = 1;

inline constexpr size_t kDataChunkSize = 64;
inline constexpr size_t kDataReportSize = 1 + kDataChunkSize;
inline constexpr uint32_t kChunkPauseMs = 100;
// A reply announces at most 255 bytes, that is four chunks.
inline constexpr size_t kMaxDataChunks = 4;

// Command codes; bit 7 set means the command expects a reply.
namespace command {
inline constexpr uint8_t kSetFunctionOption = 0x01;
inline constexpr uint8_t kSelectBank = 0x02;
inline constexpr uint8_t kSetPollingRate = 0x03;
inline constexpr uint8_t kWriteSettingsPage = 0x0C;
inline constexpr uint8_t kWriteButtonTable = 0x0D;
inline constexpr uint8_t kWriteMacroSlot = 0x0F;
inline constexpr uint8_t kReadFirmwareVersion = 0x80;
inline constexpr uint8_t kReadBank = 0x82;
inline constexpr uint8_t kReadSettingsPage = 0x8C;
inline constexpr uint8_t kReplyBit = 0x80;
inline constexpr uint8_t kFunctionOption = 0x7C;
}  // namespace command

// The 8-byte command; byte 7 is never sent, the checksum takes its place in the report.
using CommandBlock = std::array<uint8_t, 8>;

CommandBlock MakeCommandBlock(uint8_t code, uint8_t first = 0, uint8_t second = 0);
// 0xFF minus the sum of bytes 0 to 6, modulo 256.
uint8_t CommandChecksum(const CommandBlock& block);

// What the input reader thread may see of the link.
struct ReaderView {
    bool present = false;
    std::shared_ptr<HidInputInterface> input;
    uint16_t inputLength = 0;
    // Changes whenever the search opens a new input interface.
    uint64_t generation = 0;
};

class DeviceLink {
  public:
    DeviceLink(HidBackend& backend, Clock& clock);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Looks for the mouse; 1 when its command interface was found and opened, else 0. Opens the
    // vendor input interface too when it comes first in the enumeration.
    int FindDevice();

    // Sends the block; for a command with bit 7 set, the reply replaces the block.
    void ExchangeCommand(CommandBlock& block);
    // As ExchangeCommand, then the data phase: chunks out of `data` for a write, chunks into
    // `data` for a read. Every chunk the mouse announces is read, but only what fits in `data`
    // is kept; a write shorter than the announced length is padded with zeros.
    void ExchangeCommandWithData(CommandBlock& block, std::span<uint8_t> data);

    // The command set. The bank of the bank-bound commands is image byte 0.
    void SetFunctionOption();
    void SelectBank(uint8_t bank);
    // Also stores the divisor in image byte 2.
    void SetPollingRate(uint8_t divisor);
    // Copies what the mouse sends (at most one page) into the settings page.
    void ReadSettingsPage();
    void WriteSettingsPage();
    void WriteButtonTable();
    void WriteMacroSlots();
    std::array<uint8_t, 2> ReadFirmwareVersion();
    // Stores the bank in image byte 0 and returns it.
    uint8_t ReadBank();

    DeviceImage& Image() { return m_image; }
    const DeviceImage& Image() const { return m_image; }

    int DevicePresent() const { return m_devicePresent.load(); }
    // Marking the mouse present also wakes the reader, which may be waiting for exactly that.
    void SetDevicePresent(int present);

    const std::string& DevicePath() const { return m_devicePath; }
    uint16_t FeatureReportLength() const { return m_featureReportLength; }
    uint16_t CommandInputLength() const { return m_commandInputLength; }
    uint16_t EventInputLength() const;
    bool HasCommandInterface() const { return m_command != nullptr; }
    bool HasInputInterface() const;

    // Creates the reader's event; traces "CreateEvent failed." and returns false on failure.
    bool CreateReaderEvent();
    std::shared_ptr<HidEvent> ReaderEvent() const { return m_readerEvent; }
    // Safe from any thread.
    ReaderView ReaderState() const;
    uint64_t InputGeneration() const;

    // Closes both interfaces (the main window's destruction).
    void CloseHandles();

  private:
    void SendCommandReport(const CommandBlock& block);
    void FetchReply(CommandBlock& block);
    void OpenInput(std::shared_ptr<HidInputInterface> input, uint16_t inputLength);

    HidBackend& m_backend;
    Clock& m_clock;
    DeviceImage m_image;

    std::unique_ptr<HidCommandInterface> m_command;
    uint16_t m_featureReportLength = 0;
    uint16_t m_commandInputLength = 0;
    std::string m_devicePath;
    std::atomic<int> m_devicePresent{0};
    std::shared_ptr<HidEvent> m_readerEvent;

    // What the reader thread reads; written only on the user-interface thread.
    mutable std::mutex m_readerMutex;
    std::shared_ptr<HidInputInterface> m_input;
    uint16_t m_eventInputLength = 0;
    uint64_t m_inputGeneration = 0;
};

// Start-up's device step: looks for the mouse and, when it is found, marks it present, clears the
// image, copies the image's bank (now 0) into record byte 0, sets image byte 1 to 0x7C and sends
// the function option; otherwise marks it absent. Returns whether the mouse was found.
bool FindDeviceAtStartup(DeviceLink& link, ConfigRecord& working);

}  // namespace ventrio
