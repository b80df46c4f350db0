// Whatever the mouse answers (capabilities, reply blocks, data chunks of any length, event
// reports) the device link writes nothing outside the settings page it reads into.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "app/localisation.h"
#include "device/device_events.h"
#include "device/device_link.h"
#include "device/input_report_reader.h"
#include "platform/clock.h"

namespace {

using namespace ventrio;

class Script {
  public:
    Script(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    // Up to `count` bytes into `out`; returns how many there were.
    size_t Take(std::span<uint8_t> out) {
        const size_t count = std::min(out.size(), m_size - std::min(m_at, m_size));
        std::copy_n(m_data + m_at, count, out.begin());
        m_at += count;
        return count;
    }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

class ScriptedCommand final : public HidCommandInterface {
  public:
    explicit ScriptedCommand(Script& script) : m_script(script) {}
    bool SetFeature(std::span<const uint8_t>) override { return (m_script.Byte() & 1) == 0; }
    bool GetFeature(std::span<uint8_t> report) override {
        m_script.Take(report);
        return (m_script.Byte() & 1) == 0;
    }
    bool WriteOutput(std::span<const uint8_t>) override { return true; }
    std::optional<size_t> ReadInput(std::span<uint8_t> report) override {
        const uint8_t length = m_script.Byte();
        if (length == 0xFF) {
            return std::nullopt;
        }
        return m_script.Take(report.first(std::min<size_t>(length, report.size())));
    }

  private:
    Script& m_script;
};

class ScriptedList final : public HidInterfaceList {
  public:
    HidEnumResult Enumerate(uint32_t index) override {
        return index < 2 ? HidEnumResult::Found : HidEnumResult::NoMoreItems;
    }
    std::optional<std::string> DevicePath(uint32_t index) override {
        return index == 0 ? "input" : "command";
    }
};

class ScriptedPreparsed final : public HidPreparsedData {
  public:
    explicit ScriptedPreparsed(HidCaps caps) : m_caps(caps) {}
    std::optional<HidCaps> GetCaps() override { return m_caps; }

  private:
    HidCaps m_caps;
};

class ScriptedProbe final : public HidProbe {
  public:
    explicit ScriptedProbe(HidCaps caps) : m_caps(caps) {}
    std::optional<HidAttributes> GetAttributes() override {
        return HidAttributes{kMouseVendorId, kMouseProductId, 1};
    }
    std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
        return std::make_unique<ScriptedPreparsed>(m_caps);
    }

  private:
    HidCaps m_caps;
};

class NoInput final : public HidInputInterface {
  public:
    bool StartRead(std::span<uint8_t>, HidEvent&) override { return false; }
    HidReadResult CheckRead() override { return {}; }
    HidReadResult CancelRead() override { return {}; }
};

class ScriptedBackend final : public HidBackend {
  public:
    ScriptedBackend(Script& script, uint16_t commandInput, uint16_t eventInput)
        : m_script(script), m_commandInput(commandInput), m_eventInput(eventInput) {}

    std::unique_ptr<HidInterfaceList> ListInterfaces() override {
        return std::make_unique<ScriptedList>();
    }
    std::unique_ptr<HidProbe> OpenProbe(const std::string& path) override {
        if (path == "input") {
            return std::make_unique<ScriptedProbe>(
                HidCaps{kEventUsage, kEventUsagePage, m_eventInput, 0, 0});
        }
        return std::make_unique<ScriptedProbe>(
            HidCaps{kCommandUsage, kCommandUsagePage, m_commandInput, 65, kCommandFeatureLength});
    }
    std::shared_ptr<HidInputInterface> OpenInputInterface(const std::string&) override {
        return std::make_shared<NoInput>();
    }
    std::unique_ptr<HidCommandInterface> OpenCommandInterface(const std::string&) override {
        return std::make_unique<ScriptedCommand>(m_script);
    }
    std::shared_ptr<HidEvent> CreateReaderEvent() override {
        return std::make_shared<ManualResetEvent>();
    }

  private:
    Script& m_script;
    uint16_t m_commandInput;
    uint16_t m_eventInput;
};

const TextTable& Texts() {
    static const TextTable texts = [] {
        TextTable table;
        table.Load("EN");
        return table;
    }();
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Script script(data, size);
    const uint16_t commandInput = script.Word() % 600;
    const uint16_t eventInput = script.Word() % 600;
    ScriptedBackend backend(script, commandInput, eventInput);
    FakeClock clock;
    DeviceLink link(backend, clock);
    if (link.FindDevice() != 1) {
        __builtin_trap();
    }
    ConfigRecord record;
    for (size_t i = 0; i < 64; ++i) {
        record[i] = script.Byte();
    }

    while (!script.Empty()) {
        DeviceImage& image = link.Image();
        const DeviceImage before = image;
        switch (script.Byte() % 6) {
            case 0:
                link.ReadSettingsPage();
                break;
            case 1:
                link.ReadBank();
                break;
            case 2:
                link.ReadFirmwareVersion();
                break;
            case 3: {
                const uint8_t code = script.Byte();
                OnDeviceEvent(link, record, Texts(), code, script.Byte());
                break;
            }
            case 4: {
                std::array<uint8_t, 256> area{};
                CommandBlock block = MakeCommandBlock(script.Byte(), script.Byte(), script.Byte());
                const size_t length = script.Byte();
                link.ExchangeCommandWithData(block, std::span<uint8_t>(area.data(), length));
                break;
            }
            default: {
                std::array<uint8_t, 16> report{};
                const size_t got =
                    script.Take(std::span<uint8_t>(report.data(), script.Byte() % 17));
                ParseEventReport(std::span<const uint8_t>(report.data(), got), got);
                break;
            }
        }
        // Only the bank and the first settings page may change.
        for (size_t i = 1; i < kDeviceImageSize; ++i) {
            const bool page =
                i >= img::kSettingsPages && i < img::kSettingsPages + kSettingsPageSize;
            if (!page && image[i] != before[i]) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
