#include "device/device_link.h"

#include <algorithm>
#include <vector>

#include "platform/trace.h"

namespace ventrio {
namespace {

constexpr uint32_t kSettingsPagePauseMs = 10;
constexpr uint32_t kButtonTablePauseMs = 2;
constexpr uint32_t kMacroSlotPauseMs = 50;

bool IsInputInterface(const HidCaps& caps) {
    return caps.Usage == kEventUsage && caps.UsagePage == kEventUsagePage &&
           caps.InputReportByteLength != 0;
}

bool IsCommandInterface(const HidCaps& caps) {
    return caps.Usage == kCommandUsage && caps.UsagePage == kCommandUsagePage &&
           caps.FeatureReportByteLength == kCommandFeatureLength;
}

}  // namespace

CommandBlock MakeCommandBlock(uint8_t code, uint8_t first, uint8_t second) {
    return CommandBlock{code, first, second, 0, 0, 0, 0, 0};
}

uint8_t CommandChecksum(const CommandBlock& block) {
    unsigned sum = 0;
    for (size_t i = 0; i < 7; ++i) {
        sum += block[i];
    }
    return static_cast<uint8_t>(0xFF - sum);
}

DeviceLink::DeviceLink(HidBackend& backend, Clock& clock) : m_backend(backend), m_clock(clock) {}

int DeviceLink::FindDevice() {
    const std::unique_ptr<HidInterfaceList> list = m_backend.ListInterfaces();
    if (!list) {
        return 0;
    }
    for (uint32_t index = 0;; ++index) {
        if (list->Enumerate(index) != HidEnumResult::Found) {
            return 0;
        }
        const std::optional<std::string> path = list->DevicePath(index);
        if (!path) {
            return 0;
        }
        m_devicePath = *path;

        std::unique_ptr<HidProbe> probe = m_backend.OpenProbe(*path);
        if (!probe) {
            return 0;
        }
        const std::optional<HidAttributes> attributes = probe->GetAttributes();
        if (!attributes || attributes->VendorID != kMouseVendorId ||
            attributes->ProductID != kMouseProductId) {
            continue;
        }
        Trace("Find our hid device.Success\n");
        const std::unique_ptr<HidPreparsedData> preparsed = probe->GetPreparsedData();
        if (!preparsed) {
            Trace("HidD_GetPreparsedData failed.\n");
            return 0;
        }
        probe.reset();

        const std::optional<HidCaps> caps = preparsed->GetCaps();
        if (!caps) {
            Trace("HidP_GetCaps failed.");
            return 0;
        }
        TraceF(
            "DevicePath:%s,\nUsage:0x%04x\n, UsagePage:0x%04x\n,FeatureReportByteLength:0x%04x\n,"
            "InputReportByteLength:0x%x\n,OutputReportByteLength:0x%x\n",
            path->c_str(), caps->Usage, caps->UsagePage, caps->FeatureReportByteLength,
            caps->InputReportByteLength, caps->OutputReportByteLength);

        if (IsInputInterface(*caps)) {
            std::shared_ptr<HidInputInterface> input = m_backend.OpenInputInterface(*path);
            if (!input) {
                return 0;
            }
            OpenInput(std::move(input), caps->InputReportByteLength);
            continue;
        }
        if (IsCommandInterface(*caps)) {
            std::unique_ptr<HidCommandInterface> commandInterface =
                m_backend.OpenCommandInterface(*path);
            if (!commandInterface) {
                return 0;
            }
            m_command = std::move(commandInterface);
            m_commandInputLength = caps->InputReportByteLength;
            m_featureReportLength = caps->FeatureReportByteLength;
            SetDevicePresent(1);
            return 1;
        }
    }
}

void DeviceLink::OpenInput(std::shared_ptr<HidInputInterface> input, uint16_t inputLength) {
    {
        std::lock_guard lock(m_readerMutex);
        m_input = std::move(input);
        m_eventInputLength = inputLength;
        ++m_inputGeneration;
    }
    // The search runs once before the event exists (start-up); the reader starts reading
    // without a signal then.
    if (m_readerEvent) {
        m_readerEvent->Set();
    }
}

void DeviceLink::SetDevicePresent(int present) {
    m_devicePresent.store(present);
    if (present != 0 && m_readerEvent) {
        m_readerEvent->Set();
    }
}

uint16_t DeviceLink::EventInputLength() const {
    std::lock_guard lock(m_readerMutex);
    return m_eventInputLength;
}

bool DeviceLink::HasInputInterface() const {
    std::lock_guard lock(m_readerMutex);
    return m_input != nullptr;
}

bool DeviceLink::CreateReaderEvent() {
    // The reader keeps the event it started with: one event for the whole process.
    if (m_readerEvent) {
        return true;
    }
    m_readerEvent = m_backend.CreateReaderEvent();
    if (!m_readerEvent) {
        Trace("CreateEvent failed.");
        return false;
    }
    return true;
}

ReaderView DeviceLink::ReaderState() const {
    std::lock_guard lock(m_readerMutex);
    return ReaderView{m_devicePresent.load() != 0, m_input, m_eventInputLength, m_inputGeneration};
}

uint64_t DeviceLink::InputGeneration() const {
    std::lock_guard lock(m_readerMutex);
    return m_inputGeneration;
}

void DeviceLink::CloseHandles() {
    m_command.reset();
    {
        std::lock_guard lock(m_readerMutex);
        m_input.reset();
        ++m_inputGeneration;
    }
    // Lets a waiting reader drop its reference to the closed interface.
    if (m_readerEvent) {
        m_readerEvent->Set();
    }
}

void DeviceLink::SendCommandReport(const CommandBlock& block) {
    std::array<uint8_t, kCommandFeatureLength> report{};
    std::copy_n(block.begin(), 7, report.begin() + 1);
    report[8] = CommandChecksum(block);
    if (m_command) {
        m_command->SetFeature(std::span<const uint8_t>(report.data(), m_featureReportLength));
    }
}

void DeviceLink::FetchReply(CommandBlock& block) {
    std::array<uint8_t, kCommandFeatureLength> report{};
    if (m_command &&
        !m_command->GetFeature(std::span<uint8_t>(report.data(), m_featureReportLength))) {
        report.fill(0);
    }
    std::copy_n(report.begin() + 1, block.size(), block.begin());
}

void DeviceLink::ExchangeCommand(CommandBlock& block) {
    SendCommandReport(block);
    if ((block[0] & command::kReplyBit) != 0) {
        FetchReply(block);
        // The reply block now holds report bytes 1 and 2 in its bytes 0 and 1.
        TraceF("Buffer[1]:%02x,Buffer[2]:%02x.", block[0], block[1]);
    }
}

void DeviceLink::ExchangeCommandWithData(CommandBlock& block, std::span<uint8_t> data) {
    SendCommandReport(block);
    const bool read = (block[0] & command::kReplyBit) != 0;
    if (read) {
        FetchReply(block);
    }
    const size_t chunks = (static_cast<size_t>(block[2]) + kDataChunkSize - 1) / kDataChunkSize;
    if (!read) {
        for (size_t chunk = 0; chunk < chunks; ++chunk) {
            std::array<uint8_t, 80> report{};
            const size_t offset = chunk * kDataChunkSize;
            if (offset < data.size()) {
                const size_t count = std::min(kDataChunkSize, data.size() - offset);
                std::copy_n(data.begin() + static_cast<ptrdiff_t>(offset), count,
                            report.begin() + 1);
            }
            if (m_command) {
                m_command->WriteOutput(std::span<const uint8_t>(report.data(), kDataReportSize));
            }
            m_clock.Sleep(kChunkPauseMs);
        }
        return;
    }
    // Each report is read with the length the interface declares; the data sits in bytes 1 to
    // 64 whatever that length is.
    std::vector<uint8_t> report(std::max<size_t>(m_commandInputLength, kDataReportSize));
    for (size_t chunk = 0; chunk < chunks; ++chunk) {
        std::fill(report.begin(), report.end(), 0);
        if (m_command &&
            !m_command->ReadInput(std::span<uint8_t>(report.data(), m_commandInputLength))) {
            std::fill(report.begin(), report.end(), 0);
        }
        // Chunks beyond the caller's area are read all the same, so that the next exchange
        // does not meet them, but they are dropped.
        const size_t offset = chunk * kDataChunkSize;
        if (offset < data.size()) {
            const size_t count = std::min(kDataChunkSize, data.size() - offset);
            std::copy_n(report.begin() + 1, count, data.begin() + static_cast<ptrdiff_t>(offset));
        }
        m_clock.Sleep(kChunkPauseMs);
    }
}

void DeviceLink::SetFunctionOption() {
    CommandBlock block = MakeCommandBlock(command::kSetFunctionOption, command::kFunctionOption);
    ExchangeCommand(block);
    TraceF("SetFunctionOption:%02x-%02x\n", block[1], block[2]);
}

void DeviceLink::SelectBank(uint8_t bank) {
    CommandBlock block = MakeCommandBlock(command::kSelectBank, bank);
    ExchangeCommand(block);
}

void DeviceLink::SetPollingRate(uint8_t divisor) {
    CommandBlock block = MakeCommandBlock(command::kSetPollingRate, m_image[img::kBank], divisor);
    ExchangeCommand(block);
    m_image[img::kPollingDivisor] = divisor;
}

void DeviceLink::ReadSettingsPage() {
    CommandBlock block = MakeCommandBlock(command::kReadSettingsPage, m_image[img::kBank]);
    // Room for the four chunks a reply can announce; only one page of it is taken.
    std::array<uint8_t, kMaxDataChunks * kDataChunkSize> receive{};
    ExchangeCommandWithData(block, receive);
    const size_t length = std::min<size_t>(block[2], kSettingsPageSize);
    std::copy_n(receive.begin(), length, m_image.SettingsPage().begin());
    m_clock.Sleep(kSettingsPagePauseMs);
}

void DeviceLink::WriteSettingsPage() {
    CommandBlock block = MakeCommandBlock(command::kWriteSettingsPage, m_image[img::kBank],
                                          static_cast<uint8_t>(kSettingsPageSize));
    ExchangeCommandWithData(block, m_image.SettingsPage());
    m_clock.Sleep(kSettingsPagePauseMs);
}

void DeviceLink::WriteButtonTable() {
    CommandBlock block = MakeCommandBlock(command::kWriteButtonTable, m_image[img::kBank],
                                          static_cast<uint8_t>(img::kButtonTableSize));
    ExchangeCommandWithData(block, m_image.ButtonTable());
    m_clock.Sleep(kButtonTablePauseMs);
}

void DeviceLink::WriteMacroSlots() {
    for (uint8_t slot = 1; slot <= kMacroBlockCount; ++slot) {
        CommandBlock block =
            MakeCommandBlock(command::kWriteMacroSlot, slot, static_cast<uint8_t>(kMacroSlotSize));
        ExchangeCommandWithData(block, m_image.MacroSlot(slot));
        m_clock.Sleep(kMacroSlotPauseMs);
    }
}

std::array<uint8_t, 2> DeviceLink::ReadFirmwareVersion() {
    CommandBlock block = MakeCommandBlock(command::kReadFirmwareVersion);
    ExchangeCommand(block);
    TraceF("FW version:%02x-%02x\n", block[1], block[2]);
    return {block[1], block[2]};
}

uint8_t DeviceLink::ReadBank() {
    CommandBlock block = MakeCommandBlock(command::kReadBank);
    ExchangeCommand(block);
    m_image[img::kBank] = block[1];
    return block[1];
}

bool FindDeviceAtStartup(DeviceLink& link, ConfigRecord& working) {
    if (link.FindDevice() == 0) {
        link.SetDevicePresent(0);
        return false;
    }
    link.SetDevicePresent(1);
    link.Image().Clear();
    working[rec::kBank] = link.Image()[img::kBank];
    link.Image()[img::kFunctionOption] = command::kFunctionOption;
    link.SetFunctionOption();
    return true;
}

}  // namespace ventrio
