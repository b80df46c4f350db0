// The simulated mouse: a model of the firmware side of the device contract. One USB device
// (0x04D9/0xB5D9) with a pointer interface, a command interface (9-byte feature reports, 65-byte
// output and input reports) and a vendor input interface for event reports. It takes commands
// with their checksum, answers 0x80, 0x82 and 0x8C, moves data in 64-byte chunks, keeps six banks
// of settings pages, button tables and polling divisors and twelve macro slots, and queues event
// reports. Faults can be injected for tests. Every member is safe to call from any thread.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "sim/sim_state.h"

namespace ventrio {

enum class SimInterfaceKind { Pointer, Command, Input };

// Input interface first (both interfaces open, events are read) or command interface first (the
// search stops at the command interface).
enum class SimEnumerationOrder { InputFirst, CommandFirst };

struct SimMouseOptions {
    SimEnumerationOrder order = SimEnumerationOrder::InputFirst;
    // The input report length the vendor input interface declares.
    uint16_t eventReportLength = 8;
    // The input report length the command interface declares (at least 65 by contract).
    uint16_t commandInputLength = 65;
};

struct SimInterfaceInfo {
    SimInterfaceKind kind;
    std::string path;
    HidAttributes attributes;
    HidCaps caps;
};

// One report that crossed the wire on the command interface.
struct SimReport {
    enum class Op { SetFeature, GetFeature, Write, Read };
    Op op;
    std::vector<uint8_t> data;
};
// "set-feature", "get-feature", "write", "read".
const char* SimReportOpName(SimReport::Op op);

class SimInputHandle;

class SimulatedMouse : public std::enable_shared_from_this<SimulatedMouse> {
  public:
    explicit SimulatedMouse(SimState state = FactorySimState(), SimMouseOptions options = {});
    ~SimulatedMouse();
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    SimState State() const;
    void SetState(const SimState& state);
    const SimMouseOptions& Options() const { return m_options; }
    // The last parameter of command 0x01.
    uint8_t FunctionOption() const;

    // Every report exchanged on the command interface, in order.
    std::vector<SimReport> ReportLog() const;
    // Also restarts the count of exchanges that RemoveAtReport uses.
    void ClearReportLog();

    // The interfaces the system lists while the mouse is plugged in, in enumeration order.
    std::vector<SimInterfaceInfo> Interfaces() const;
    bool Plugged() const;
    // Handles opened before an unplug stay dead after the next plug, as on the real system.
    void Plug();
    void Unplug();
    // Called (outside the mouse's lock) after every plug and unplug, with the interface paths.
    using PlugListener = std::function<void(bool plugged, const std::vector<std::string>& paths)>;
    void SetPlugListener(PlugListener listener);

    // Event reports on the vendor input interface, delivered to every open input handle.
    void QueueEvent(uint8_t code, uint8_t value);
    // Raw report bytes as they arrive: foreign report ids, short or empty reports.
    void QueueEventReport(std::vector<uint8_t> report);
    // How many event reads have been started, for tests of the reader's patience.
    size_t EventReadsStarted() const;

    // Faults.
    void SetReplyLength(std::optional<uint8_t> length);
    // Every data-phase read returns at most this many bytes (0: empty reads).
    void SetDataReadLimit(std::optional<size_t> bytes);
    // Output reports fail and are not taken.
    void SetFailWrites(bool fail);
    // The mouse is pulled out when exchange number `index` (0-based, counting every report the
    // host attempts on the command interface since the log was cleared) is attempted.
    void RemoveAtReport(std::optional<size_t> index);

    // Used by the simulated handles. `generation` identifies the plug-in the handle was opened in.
    bool SetFeature(uint64_t generation, std::span<const uint8_t> report);
    bool GetFeature(uint64_t generation, std::span<uint8_t> report);
    bool WriteOutput(uint64_t generation, std::span<const uint8_t> report);
    std::optional<size_t> ReadInput(uint64_t generation, std::span<uint8_t> report);
    std::shared_ptr<HidInputInterface> OpenInputHandle();
    uint64_t Generation() const;

  private:
    friend class SimInputHandle;

    enum class WriteTarget { SettingsPage, ButtonTable, MacroSlot };
    struct PendingWrite {
        WriteTarget target;
        uint8_t index;
        size_t length;
        std::vector<uint8_t> received;
    };

    // Each takes the lock's owner's word that m_mutex is held.
    bool BeginExchangeLocked(uint64_t generation, std::vector<std::string>& unpluggedPaths);
    void UnplugLocked(std::vector<std::string>& paths);
    void ExecuteLocked(const std::array<uint8_t, 8>& block);
    void CommitLocked();
    void DeliverEventLocked(const std::vector<uint8_t>& report);
    std::vector<SimInterfaceInfo> InterfacesLocked() const;
    void Notify(bool plugged, const std::vector<std::string>& paths);

    const SimMouseOptions m_options;
    mutable std::mutex m_mutex;
    SimState m_state;
    uint8_t m_functionOption = 0;
    std::array<uint8_t, 8> m_reply{};
    std::optional<PendingWrite> m_pendingWrite;
    std::deque<std::array<uint8_t, 64>> m_outgoing;
    std::vector<SimReport> m_log;
    size_t m_exchanges = 0;

    bool m_plugged = true;
    uint64_t m_generation = 1;
    std::vector<SimInputHandle*> m_inputHandles;
    size_t m_eventReadsStarted = 0;

    std::optional<size_t> m_dataReadLimit;
    bool m_failWrites = false;
    std::optional<size_t> m_removeAt;

    std::mutex m_listenerMutex;
    PlugListener m_listener;
};

}  // namespace ventrio
