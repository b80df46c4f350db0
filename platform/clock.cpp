#include "platform/clock.h"

#include <chrono>
#include <numeric>
#include <thread>

namespace ventrio {

void SystemClock::Sleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint32_t SystemClock::TickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void FakeClock::Sleep(uint32_t milliseconds) {
    m_sleeps.push_back(milliseconds);
    m_now += milliseconds;
}

uint64_t FakeClock::TotalSleptMs() const {
    return std::accumulate(m_sleeps.begin(), m_sleeps.end(), uint64_t{0});
}

}  // namespace ventrio
