// The Windows pointer settings the configuration record carries, and their hand-off to the system:
// the acceleration triple, the pointer speed, the wheel scroll lines and the double-click time.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "config/config_record.h"

namespace ventrio {

// The wheel scroll lines value that means "one screen per notch".
inline constexpr uint32_t kWheelPageScroll = 0xFFFFFFFF;

// The values the system receives, converted from the record.
struct PointerSettings {
    std::array<int, 3> mouse{};  // acceleration thresholds and level
    uint32_t speed = 0;
    uint32_t wheelScrollLines = 0;
    uint32_t doubleClickTime = 0;

    bool operator==(const PointerSettings&) const = default;
};

PointerSettings PointerSettingsFromRecord(const ConfigRecord& record);

// The system's pointer settings; each setter returns whether the system took the value.
class SystemPointerSettings {
  public:
    virtual ~SystemPointerSettings() = default;
    virtual bool SetMouse(const std::array<int, 3>& triple) = 0;
    virtual bool SetMouseSpeed(uint32_t speed) = 0;
    virtual bool SetWheelScrollLines(uint32_t lines) = 0;
    // Also written to the user profile, unlike the other three.
    virtual bool SetDoubleClickTime(uint32_t milliseconds) = 0;
};

// Hands the record's pointer settings to the system, all four in order; a failure is traced and
// the next setting is still tried.
void ApplyPointerSettings(const ConfigRecord& record, SystemPointerSettings& system);

// Remembers what it was given instead of changing the system (ventrioctl on Linux, tests).
class RecordingPointerSettings final : public SystemPointerSettings {
  public:
    enum class Call { SetMouse, SetMouseSpeed, SetWheelScrollLines, SetDoubleClickTime };

    bool SetMouse(const std::array<int, 3>& triple) override;
    bool SetMouseSpeed(uint32_t speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(uint32_t milliseconds) override;

    // The calls made, in order, and the values last set.
    const std::vector<Call>& Calls() const { return m_calls; }
    const PointerSettings& Settings() const { return m_settings; }
    // Makes the given call fail from now on.
    void Fail(Call call) { m_failing.push_back(call); }

  private:
    bool Record(Call call);

    std::vector<Call> m_calls;
    std::vector<Call> m_failing;
    PointerSettings m_settings;
};

}  // namespace ventrio
