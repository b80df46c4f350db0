// Sleeping and the tick count go through one object so that tests can assert the device pauses
// without waiting for them.
#pragma once

#include <cstdint>
#include <vector>

namespace ventrio {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // Milliseconds since an arbitrary start, wrapping like the Windows tick count.
    virtual uint32_t TickCount() = 0;
};

// The real passage of time.
class SystemClock final : public Clock {
  public:
    void Sleep(uint32_t milliseconds) override;
    uint32_t TickCount() override;
};

// Time that moves only when someone sleeps or the test advances it; every sleep is recorded.
class FakeClock final : public Clock {
  public:
    void Sleep(uint32_t milliseconds) override;
    uint32_t TickCount() override { return m_now; }

    void Advance(uint32_t milliseconds) { m_now += milliseconds; }
    const std::vector<uint32_t>& Sleeps() const { return m_sleeps; }
    uint64_t TotalSleptMs() const;
    void ClearSleeps() { m_sleeps.clear(); }

  private:
    uint32_t m_now = 0;
    std::vector<uint32_t> m_sleeps;
};

}  // namespace ventrio
