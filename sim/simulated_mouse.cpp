#include "sim/simulated_mouse.h"

#include <algorithm>

namespace ventrio {
namespace {

constexpr uint16_t kVendorId = 0x04D9;
constexpr uint16_t kProductId = 0xB5D9;
constexpr uint16_t kVersion = 0x0100;
constexpr size_t kFeatureLength = 9;
constexpr size_t kChunk = 64;
constexpr size_t kOutputLength = 1 + kChunk;
constexpr uint8_t kDefaultReplyLength = 128;
// What the mouse sends beyond its 128-byte page when it announces more.
constexpr uint8_t kSurplusFiller = 0xA5;
// The system keeps this many unread input reports per open handle and drops the oldest.
constexpr size_t kInputQueueLimit = 32;

constexpr const char* kPointerPath =
    R"(\\?\HID#VID_04D9&PID_B5D9&MI_00#7&1f0c1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030})";
constexpr const char* kCommandPath =
    R"(\\?\HID#VID_04D9&PID_B5D9&MI_01&Col01#7&2a7d3c91&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030})";
constexpr const char* kInputPath =
    R"(\\?\HID#VID_04D9&PID_B5D9&MI_01&Col02#7&2a7d3c91&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030})";

uint8_t Checksum(std::span<const uint8_t> seven) {
    unsigned sum = 0;
    for (const uint8_t byte : seven) {
        sum += byte;
    }
    return static_cast<uint8_t>(0xFF - sum);
}

}  // namespace

const char* SimReportOpName(SimReport::Op op) {
    switch (op) {
        case SimReport::Op::SetFeature:
            return "set-feature";
        case SimReport::Op::GetFeature:
            return "get-feature";
        case SimReport::Op::Write:
            return "write";
        case SimReport::Op::Read:
            return "read";
    }
    return "?";
}

// An open handle on the vendor input interface. Its queue and read state belong to the mouse's
// lock.
class SimInputHandle final : public HidInputInterface {
  public:
    SimInputHandle(std::shared_ptr<SimulatedMouse> mouse, uint64_t generation)
        : m_mouse(std::move(mouse)), m_generation(generation) {}

    ~SimInputHandle() override {
        std::lock_guard lock(m_mouse->m_mutex);
        auto& handles = m_mouse->m_inputHandles;
        handles.erase(std::remove(handles.begin(), handles.end(), this), handles.end());
    }

    bool StartRead(std::span<uint8_t> buffer, HidEvent& completion) override {
        std::lock_guard lock(m_mouse->m_mutex);
        completion.Reset();
        if (!AliveLocked() || buffer.size() < m_mouse->m_options.eventReportLength ||
            m_state == State::Pending) {
            return false;
        }
        ++m_mouse->m_eventReadsStarted;
        m_buffer = buffer;
        m_event = &completion;
        m_state = State::Pending;
        if (!m_queue.empty()) {
            const std::vector<uint8_t> report = std::move(m_queue.front());
            m_queue.pop_front();
            CompleteLocked(report);
        }
        return true;
    }

    HidReadResult CheckRead() override {
        std::lock_guard lock(m_mouse->m_mutex);
        return CollectLocked();
    }

    HidReadResult CancelRead() override {
        std::lock_guard lock(m_mouse->m_mutex);
        if (m_state == State::Pending) {
            m_state = State::Idle;
            return HidReadResult{HidReadStatus::Cancelled, 0};
        }
        return CollectLocked();
    }

    bool AliveLocked() const { return m_mouse->m_plugged && m_generation == m_mouse->m_generation; }

    void DeliverLocked(const std::vector<uint8_t>& report) {
        if (m_state == State::Pending) {
            CompleteLocked(report);
            return;
        }
        if (m_queue.size() == kInputQueueLimit) {
            m_queue.pop_front();
        }
        m_queue.push_back(report);
    }

    void FailLocked() {
        if (m_state == State::Pending) {
            m_result = HidReadResult{HidReadStatus::Failed, 0};
            m_state = State::Done;
            m_event->Set();
        }
    }

  private:
    enum class State { Idle, Pending, Done };

    void CompleteLocked(const std::vector<uint8_t>& report) {
        const size_t count = std::min(report.size(), m_buffer.size());
        std::copy_n(report.begin(), count, m_buffer.begin());
        m_result = HidReadResult{HidReadStatus::Completed, count};
        m_state = State::Done;
        m_event->Set();
    }

    HidReadResult CollectLocked() {
        switch (m_state) {
            case State::Pending:
                return HidReadResult{HidReadStatus::Pending, 0};
            case State::Done:
                m_state = State::Idle;
                return m_result;
            case State::Idle:
                break;
        }
        return HidReadResult{HidReadStatus::Failed, 0};
    }

    std::shared_ptr<SimulatedMouse> m_mouse;
    const uint64_t m_generation;
    std::deque<std::vector<uint8_t>> m_queue;
    State m_state = State::Idle;
    HidReadResult m_result;
    std::span<uint8_t> m_buffer;
    HidEvent* m_event = nullptr;
};

SimulatedMouse::SimulatedMouse(SimState state, SimMouseOptions options)
    : m_options(options), m_state(std::move(state)) {}

SimulatedMouse::~SimulatedMouse() = default;

SimState SimulatedMouse::State() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

void SimulatedMouse::SetState(const SimState& state) {
    std::lock_guard lock(m_mutex);
    m_state = state;
}

uint8_t SimulatedMouse::FunctionOption() const {
    std::lock_guard lock(m_mutex);
    return m_functionOption;
}

std::vector<SimReport> SimulatedMouse::ReportLog() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

void SimulatedMouse::ClearReportLog() {
    std::lock_guard lock(m_mutex);
    m_log.clear();
    m_exchanges = 0;
}

std::vector<SimInterfaceInfo> SimulatedMouse::InterfacesLocked() const {
    if (!m_plugged) {
        return {};
    }
    const HidAttributes attributes{kVendorId, kProductId, kVersion};
    const SimInterfaceInfo pointer{SimInterfaceKind::Pointer, kPointerPath, attributes,
                                   HidCaps{0x0002, 0x0001, 7, 0, 0}};
    const SimInterfaceInfo commandInterface{
        SimInterfaceKind::Command, kCommandPath, attributes,
        HidCaps{0xFF00, 0xFF00, m_options.commandInputLength, kOutputLength, kFeatureLength}};
    const SimInterfaceInfo input{SimInterfaceKind::Input, kInputPath, attributes,
                                 HidCaps{0x0001, 0xFF01, m_options.eventReportLength, 0, 0}};
    if (m_options.order == SimEnumerationOrder::InputFirst) {
        return {pointer, input, commandInterface};
    }
    return {pointer, commandInterface, input};
}

std::vector<SimInterfaceInfo> SimulatedMouse::Interfaces() const {
    std::lock_guard lock(m_mutex);
    return InterfacesLocked();
}

bool SimulatedMouse::Plugged() const {
    std::lock_guard lock(m_mutex);
    return m_plugged;
}

uint64_t SimulatedMouse::Generation() const {
    std::lock_guard lock(m_mutex);
    return m_generation;
}

void SimulatedMouse::Plug() {
    std::vector<std::string> paths;
    {
        std::lock_guard lock(m_mutex);
        if (m_plugged) {
            return;
        }
        m_plugged = true;
        ++m_generation;
        m_functionOption = 0;
        m_reply = {};
        for (const SimInterfaceInfo& info : InterfacesLocked()) {
            paths.push_back(info.path);
        }
    }
    Notify(true, paths);
}

void SimulatedMouse::Unplug() {
    std::vector<std::string> paths;
    {
        std::lock_guard lock(m_mutex);
        UnplugLocked(paths);
    }
    if (!paths.empty()) {
        Notify(false, paths);
    }
}

void SimulatedMouse::UnplugLocked(std::vector<std::string>& paths) {
    if (!m_plugged) {
        return;
    }
    for (const SimInterfaceInfo& info : InterfacesLocked()) {
        paths.push_back(info.path);
    }
    m_plugged = false;
    m_pendingWrite.reset();
    m_outgoing.clear();
    for (SimInputHandle* handle : m_inputHandles) {
        handle->FailLocked();
    }
}

void SimulatedMouse::SetPlugListener(PlugListener listener) {
    std::lock_guard lock(m_listenerMutex);
    m_listener = std::move(listener);
}

void SimulatedMouse::Notify(bool plugged, const std::vector<std::string>& paths) {
    std::lock_guard lock(m_listenerMutex);
    if (m_listener) {
        m_listener(plugged, paths);
    }
}

void SimulatedMouse::QueueEvent(uint8_t code, uint8_t value) {
    std::vector<uint8_t> report = {0x06, 0x07, code, value};
    report.resize(m_options.eventReportLength, 0);
    QueueEventReport(std::move(report));
}

void SimulatedMouse::QueueEventReport(std::vector<uint8_t> report) {
    std::lock_guard lock(m_mutex);
    DeliverEventLocked(report);
}

void SimulatedMouse::DeliverEventLocked(const std::vector<uint8_t>& report) {
    if (!m_plugged) {
        return;
    }
    for (SimInputHandle* handle : m_inputHandles) {
        if (handle->AliveLocked()) {
            handle->DeliverLocked(report);
        }
    }
}

size_t SimulatedMouse::EventReadsStarted() const {
    std::lock_guard lock(m_mutex);
    return m_eventReadsStarted;
}

void SimulatedMouse::SetReplyLength(std::optional<uint8_t> length) {
    std::lock_guard lock(m_mutex);
    m_state.replyLength = length;
}

void SimulatedMouse::SetDataReadLimit(std::optional<size_t> bytes) {
    std::lock_guard lock(m_mutex);
    m_dataReadLimit = bytes;
}

void SimulatedMouse::SetFailWrites(bool fail) {
    std::lock_guard lock(m_mutex);
    m_failWrites = fail;
}

void SimulatedMouse::RemoveAtReport(std::optional<size_t> index) {
    std::lock_guard lock(m_mutex);
    m_removeAt = index;
}

std::shared_ptr<HidInputInterface> SimulatedMouse::OpenInputHandle() {
    std::lock_guard lock(m_mutex);
    if (!m_plugged) {
        return nullptr;
    }
    auto handle = std::make_shared<SimInputHandle>(shared_from_this(), m_generation);
    m_inputHandles.push_back(handle.get());
    return handle;
}

bool SimulatedMouse::BeginExchangeLocked(uint64_t generation,
                                         std::vector<std::string>& unpluggedPaths) {
    if (!m_plugged || generation != m_generation) {
        return false;
    }
    if (m_removeAt && m_exchanges == *m_removeAt) {
        UnplugLocked(unpluggedPaths);
        return false;
    }
    ++m_exchanges;
    return true;
}

bool SimulatedMouse::SetFeature(uint64_t generation, std::span<const uint8_t> report) {
    std::vector<std::string> unplugged;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        if (BeginExchangeLocked(generation, unplugged) && report.size() == kFeatureLength) {
            ok = true;
            m_log.push_back({SimReport::Op::SetFeature, {report.begin(), report.end()}});
            // The firmware ignores a command whose report id or checksum is wrong.
            if (report[0] == 0 && report[8] == Checksum(report.subspan(1, 7))) {
                std::array<uint8_t, 8> block{};
                std::copy_n(report.begin() + 1, 8, block.begin());
                ExecuteLocked(block);
            }
        }
    }
    if (!unplugged.empty()) {
        Notify(false, unplugged);
    }
    return ok;
}

bool SimulatedMouse::GetFeature(uint64_t generation, std::span<uint8_t> report) {
    std::vector<std::string> unplugged;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        if (BeginExchangeLocked(generation, unplugged) && report.size() == kFeatureLength) {
            ok = true;
            std::array<uint8_t, kFeatureLength> reply{};
            std::copy_n(m_reply.begin(), 7, reply.begin() + 1);
            reply[8] = Checksum(std::span<const uint8_t>(reply.data() + 1, 7));
            std::copy(reply.begin(), reply.end(), report.begin());
            m_log.push_back({SimReport::Op::GetFeature, {reply.begin(), reply.end()}});
        }
    }
    if (!unplugged.empty()) {
        Notify(false, unplugged);
    }
    return ok;
}

bool SimulatedMouse::WriteOutput(uint64_t generation, std::span<const uint8_t> report) {
    std::vector<std::string> unplugged;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        if (BeginExchangeLocked(generation, unplugged) && !m_failWrites &&
            report.size() == kOutputLength) {
            ok = true;
            m_log.push_back({SimReport::Op::Write, {report.begin(), report.end()}});
            if (m_pendingWrite) {
                m_pendingWrite->received.insert(m_pendingWrite->received.end(), report.begin() + 1,
                                                report.end());
                if (m_pendingWrite->received.size() >= m_pendingWrite->length) {
                    CommitLocked();
                }
            }
        }
    }
    if (!unplugged.empty()) {
        Notify(false, unplugged);
    }
    return ok;
}

std::optional<size_t> SimulatedMouse::ReadInput(uint64_t generation, std::span<uint8_t> report) {
    std::vector<std::string> unplugged;
    std::optional<size_t> result;
    {
        std::lock_guard lock(m_mutex);
        // Without a queued chunk the platform's read would wait for one; the model gives up.
        if (BeginExchangeLocked(generation, unplugged) &&
            report.size() >= m_options.commandInputLength && !m_outgoing.empty()) {
            // Report id 0, then the chunk, cut or padded to the declared length.
            std::vector<uint8_t> whole(m_options.commandInputLength, 0);
            if (!whole.empty()) {
                std::copy_n(m_outgoing.front().begin(), std::min(kChunk, whole.size() - 1),
                            whole.begin() + 1);
            }
            m_outgoing.pop_front();
            const size_t count = std::min(whole.size(), m_dataReadLimit.value_or(whole.size()));
            std::copy_n(whole.begin(), count, report.begin());
            m_log.push_back({SimReport::Op::Read, {whole.begin(), whole.begin() + count}});
            result = count;
        }
    }
    if (!unplugged.empty()) {
        Notify(false, unplugged);
    }
    return result;
}

void SimulatedMouse::ExecuteLocked(const std::array<uint8_t, 8>& block) {
    const uint8_t code = block[0];
    const uint8_t first = block[1];
    const uint8_t second = block[2];
    // A new command ends a data phase the host did not finish.
    m_pendingWrite.reset();
    const bool bankValid = first < kSimBankCount;
    switch (code) {
        case 0x01:
            m_functionOption = first;
            break;
        case 0x02:
            if (bankValid) {
                m_state.bank = first;
            }
            break;
        case 0x03:
            if (bankValid) {
                m_state.banks[first].pollingDivisor = second;
            }
            break;
        case 0x0C:
            if (bankValid) {
                m_pendingWrite = PendingWrite{WriteTarget::SettingsPage, first, second, {}};
            }
            break;
        case 0x0D:
            if (bankValid) {
                m_pendingWrite = PendingWrite{WriteTarget::ButtonTable, first, second, {}};
            }
            break;
        case 0x0F:
            if (first >= 1 && first <= kSimMacroSlotCount) {
                m_pendingWrite = PendingWrite{WriteTarget::MacroSlot, first, second, {}};
            }
            break;
        case 0x80:
            m_reply = {0x80, m_state.firmwareVersion[0], m_state.firmwareVersion[1]};
            break;
        case 0x82:
            m_reply = {0x82, m_state.bank};
            break;
        case 0x8C: {
            const uint8_t length = m_state.replyLength.value_or(kDefaultReplyLength);
            m_reply = {0x8C, first, length};
            std::vector<uint8_t> data(length, kSurplusFiller);
            SimArea page{};
            if (bankValid) {
                page = m_state.banks[first].settingsPage;
            }
            std::copy_n(page.begin(), std::min<size_t>(length, page.size()), data.begin());
            for (size_t offset = 0; offset < data.size(); offset += kChunk) {
                std::array<uint8_t, kChunk> chunk{};
                std::copy_n(data.begin() + static_cast<ptrdiff_t>(offset),
                            std::min(kChunk, data.size() - offset), chunk.begin());
                m_outgoing.push_back(chunk);
            }
            break;
        }
        default:
            if ((code & 0x80) != 0) {
                m_reply = {code};
            }
            break;
    }
    if (m_pendingWrite && m_pendingWrite->length == 0) {
        m_pendingWrite.reset();
    }
}

void SimulatedMouse::CommitLocked() {
    PendingWrite& write = *m_pendingWrite;
    SimArea* target = nullptr;
    switch (write.target) {
        case WriteTarget::SettingsPage:
            target = &m_state.banks[write.index].settingsPage;
            break;
        case WriteTarget::ButtonTable:
            target = &m_state.banks[write.index].buttonTable;
            break;
        case WriteTarget::MacroSlot:
            target = &m_state.macroSlots[write.index - 1];
            break;
    }
    const size_t count = std::min({write.length, write.received.size(), target->size()});
    std::copy_n(write.received.begin(), count, target->begin());
    m_pendingWrite.reset();
}

}  // namespace ventrio
