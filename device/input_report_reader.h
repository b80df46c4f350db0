// The input reader: a worker thread that waits for the event reports the mouse sends by itself on
// its vendor input interface and hands each one to the main window.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <thread>

#include "device/device_link.h"

namespace ventrio {

// An event report: 06 07 code value.
struct DeviceEventReport {
    uint8_t code = 0;
    uint8_t value = 0;
};

// The event a read carries; nullopt for an empty read or a report that is not an event.
std::optional<DeviceEventReport> ParseEventReport(std::span<const uint8_t> buffer,
                                                  size_t bytesRead);

// Called on the reader thread for every event report; the main window sends WM_DEVICE_EVENT
// synchronously from it, so the next read starts only after the window has handled the event.
using DeviceEventSink = std::function<void(uint8_t code, uint8_t value)>;

class InputReportReader {
  public:
    InputReportReader(DeviceLink& link, DeviceEventSink sink);
    ~InputReportReader();
    InputReportReader(const InputReportReader&) = delete;
    InputReportReader& operator=(const InputReportReader&) = delete;

    // Starts the thread the first time (the link's reader event must exist by then); later calls
    // do nothing, like resuming a thread that already runs.
    void Resume();
    bool Started() const { return m_thread.joinable(); }

    // Asks the thread to end without waiting for it. The main window calls this while it is
    // destroyed: joining there could wait for a thread blocked in sending it a message.
    void RequestStop();
    // Asks and waits for the thread to end; the destructor does the same.
    void Stop();

  private:
    void Run();

    DeviceLink& m_link;
    DeviceEventSink m_sink;
    std::shared_ptr<HidEvent> m_event;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace ventrio
