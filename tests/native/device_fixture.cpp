#include "tests/native/device_fixture.h"

#include <thread>

#include "platform/hex.h"

namespace ventrio::test {

std::vector<uint8_t> Bytes(std::string_view hex) {
    std::string compact;
    for (const char c : hex) {
        if (c != ' ') {
            compact += c;
        }
    }
    const auto bytes = ParseHex(compact);
    EXPECT_TRUE(bytes.has_value()) << hex;
    return bytes.value_or(std::vector<uint8_t>{});
}

std::string Describe(SimReport::Op op, const std::vector<uint8_t>& data) {
    return std::string(SimReportOpName(op)) + " " + HexString(data);
}

std::vector<std::string> Describe(const std::vector<SimReport>& log) {
    std::vector<std::string> lines;
    for (const SimReport& report : log) {
        lines.push_back(Describe(report.op, report.data));
    }
    return lines;
}

void EventCollector::Add(uint8_t code, uint8_t value) {
    {
        std::lock_guard lock(m_mutex);
        m_events.emplace_back(code, value);
    }
    m_arrived.notify_all();
}

bool EventCollector::WaitFor(size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, timeout, [&] { return m_events.size() >= count; });
}

std::vector<std::pair<uint8_t, uint8_t>> EventCollector::Events() const {
    std::lock_guard lock(m_mutex);
    return m_events;
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace ventrio::test
