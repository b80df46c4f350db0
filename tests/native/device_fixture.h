// A simulated mouse wired to a device link with a fake clock, and helpers to read its report log.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_link.h"
#include "platform/clock.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace ventrio::test {

struct SimRig {
    explicit SimRig(SimMouseOptions options = {}, SimState state = FactorySimState())
        : mouse(std::make_shared<SimulatedMouse>(std::move(state), options)),
          backend(mouse),
          link(backend, clock) {}

    // Finds the mouse as start-up does and forgets what that exchanged.
    void Connect(ConfigRecord& working) {
        ASSERT_TRUE(FindDeviceAtStartup(link, working));
        mouse->ClearReportLog();
        clock.ClearSleeps();
    }

    std::shared_ptr<SimulatedMouse> mouse;
    SimHidBackend backend;
    FakeClock clock;
    DeviceLink link;
};

// "00 01 7C" or "00017C" to bytes.
std::vector<uint8_t> Bytes(std::string_view hex);

// One line per report: "set-feature 00017C000000000082".
std::vector<std::string> Describe(const std::vector<SimReport>& log);
std::string Describe(SimReport::Op op, const std::vector<uint8_t>& data);

// Collects what a reader thread delivers and lets the test wait for it with a time-out, so that a
// broken reader fails the test instead of hanging it.
class EventCollector {
  public:
    void Add(uint8_t code, uint8_t value);
    // True when at least `count` events arrived within the time-out.
    bool WaitFor(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    std::vector<std::pair<uint8_t, uint8_t>> Events() const;

  private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<std::pair<uint8_t, uint8_t>> m_events;
};

// Polls `condition` until it holds or the time-out passes.
bool Eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace ventrio::test
