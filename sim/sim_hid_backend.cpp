#include "sim/sim_hid_backend.h"

namespace ventrio {
namespace {

class SimInterfaceList final : public HidInterfaceList {
  public:
    struct Item {
        std::string path;
        bool pathFails;
    };

    SimInterfaceList(std::vector<Item> items, std::optional<uint32_t> failsAt)
        : m_items(std::move(items)), m_failsAt(failsAt) {}

    HidEnumResult Enumerate(uint32_t index) override {
        if (m_failsAt == index) {
            return HidEnumResult::Failed;
        }
        return index < m_items.size() ? HidEnumResult::Found : HidEnumResult::NoMoreItems;
    }

    std::optional<std::string> DevicePath(uint32_t index) override {
        if (index >= m_items.size() || m_items[index].pathFails) {
            return std::nullopt;
        }
        return m_items[index].path;
    }

  private:
    std::vector<Item> m_items;
    std::optional<uint32_t> m_failsAt;
};

class SimPreparsedData final : public HidPreparsedData {
  public:
    explicit SimPreparsedData(std::optional<HidCaps> caps) : m_caps(caps) {}
    std::optional<HidCaps> GetCaps() override { return m_caps; }

  private:
    std::optional<HidCaps> m_caps;
};

class SimProbe final : public HidProbe {
  public:
    SimProbe(std::optional<HidAttributes> attributes, std::optional<HidCaps> caps,
             bool preparsedFails)
        : m_attributes(attributes), m_caps(caps), m_preparsedFails(preparsedFails) {}

    std::optional<HidAttributes> GetAttributes() override { return m_attributes; }
    std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
        if (m_preparsedFails) {
            return nullptr;
        }
        return std::make_unique<SimPreparsedData>(m_caps);
    }

  private:
    std::optional<HidAttributes> m_attributes;
    std::optional<HidCaps> m_caps;
    bool m_preparsedFails;
};

class SimCommandHandle final : public HidCommandInterface {
  public:
    SimCommandHandle(std::shared_ptr<SimulatedMouse> mouse, uint64_t generation)
        : m_mouse(std::move(mouse)), m_generation(generation) {}

    bool SetFeature(std::span<const uint8_t> report) override {
        return m_mouse->SetFeature(m_generation, report);
    }
    bool GetFeature(std::span<uint8_t> report) override {
        return m_mouse->GetFeature(m_generation, report);
    }
    bool WriteOutput(std::span<const uint8_t> report) override {
        return m_mouse->WriteOutput(m_generation, report);
    }
    std::optional<size_t> ReadInput(std::span<uint8_t> report) override {
        return m_mouse->ReadInput(m_generation, report);
    }

  private:
    std::shared_ptr<SimulatedMouse> m_mouse;
    uint64_t m_generation;
};

}  // namespace

SimHidBackend::SimHidBackend(std::shared_ptr<SimulatedMouse> mouse) : m_mouse(std::move(mouse)) {}

void SimHidBackend::AddForeignInterface(SimForeignInterface foreign) {
    m_foreign.push_back(std::move(foreign));
}

void SimHidBackend::SetMouseInterfaceFaults(SimInterfaceKind kind, SimInterfaceFaults faults) {
    m_mouseFaults[kind] = faults;
}

std::vector<SimHidBackend::Entry> SimHidBackend::PresentInterfaces() const {
    std::vector<Entry> entries;
    for (const SimForeignInterface& foreign : m_foreign) {
        entries.push_back(
            Entry{std::nullopt, foreign.path, foreign.attributes, foreign.caps, foreign.faults});
    }
    for (const SimInterfaceInfo& info : m_mouse->Interfaces()) {
        const auto faults = m_mouseFaults.find(info.kind);
        entries.push_back(
            Entry{info.kind, info.path, info.attributes, info.caps,
                  faults != m_mouseFaults.end() ? faults->second : SimInterfaceFaults{}});
    }
    return entries;
}

std::optional<SimHidBackend::Entry> SimHidBackend::FindPresent(const std::string& path) const {
    for (Entry& entry : PresentInterfaces()) {
        if (entry.path == path) {
            return entry;
        }
    }
    return std::nullopt;
}

std::unique_ptr<HidInterfaceList> SimHidBackend::ListInterfaces() {
    if (m_listFails) {
        return nullptr;
    }
    std::vector<SimInterfaceList::Item> items;
    for (const Entry& entry : PresentInterfaces()) {
        items.push_back({entry.path, entry.faults.pathFails});
    }
    return std::make_unique<SimInterfaceList>(std::move(items), m_enumerationFailsAt);
}

std::unique_ptr<HidProbe> SimHidBackend::OpenProbe(const std::string& path) {
    const std::optional<Entry> entry = FindPresent(path);
    if (!entry || entry->faults.probeFails) {
        return nullptr;
    }
    std::optional<HidAttributes> attributes;
    if (!entry->faults.attributesFail) {
        attributes = entry->attributes;
    }
    std::optional<HidCaps> caps;
    if (!entry->faults.capsInvalid) {
        caps = entry->caps;
    }
    return std::make_unique<SimProbe>(attributes, caps, entry->faults.preparsedDataFails);
}

std::shared_ptr<HidInputInterface> SimHidBackend::OpenInputInterface(const std::string& path) {
    const std::optional<Entry> entry = FindPresent(path);
    if (!entry || entry->kind != SimInterfaceKind::Input || entry->faults.openFails) {
        return nullptr;
    }
    return m_mouse->OpenInputHandle();
}

std::unique_ptr<HidCommandInterface> SimHidBackend::OpenCommandInterface(const std::string& path) {
    const std::optional<Entry> entry = FindPresent(path);
    if (!entry || entry->kind != SimInterfaceKind::Command || entry->faults.openFails) {
        return nullptr;
    }
    return std::make_unique<SimCommandHandle>(m_mouse, m_mouse->Generation());
}

std::shared_ptr<HidEvent> SimHidBackend::CreateReaderEvent() {
    if (m_readerEventFails) {
        return nullptr;
    }
    return std::make_shared<ManualResetEvent>();
}

}  // namespace ventrio
