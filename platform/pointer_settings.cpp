#include "platform/pointer_settings.h"

#include <algorithm>

#include "platform/trace.h"

namespace ventrio {

PointerSettings PointerSettingsFromRecord(const ConfigRecord& record) {
    PointerSettings settings;
    if (record[rec::kEnhancePrecision] == 1) {
        settings.mouse = {6, 10, 1};
    }
    const int speedLevel = record[rec::kPointerSpeed];
    settings.speed = static_cast<uint32_t>(speedLevel == 1 ? 1 : 2 * speedLevel - 2);
    settings.wheelScrollLines =
        record[rec::kPageScroll] != 0 ? kWheelPageScroll : record[rec::kScrollLines];
    const int doubleClickLevel = record[rec::kDoubleClickSpeed];
    settings.doubleClickTime = static_cast<uint32_t>(900 - 70 * (doubleClickLevel - 1));
    return settings;
}

void ApplyPointerSettings(const ConfigRecord& record, SystemPointerSettings& system) {
    const PointerSettings settings = PointerSettingsFromRecord(record);
    if (!system.SetMouse(settings.mouse)) {
        Trace("SETMOUSE failed.\n");
    }
    if (!system.SetMouseSpeed(settings.speed)) {
        Trace("SETMOUSESPEED failed.\n");
    }
    if (!system.SetWheelScrollLines(settings.wheelScrollLines)) {
        Trace("SETWHEELSCROLLLINES failed.\n");
    }
    if (!system.SetDoubleClickTime(settings.doubleClickTime)) {
        Trace("SPI_SETDOUBLECLICKTIME failed.\n");
    }
}

bool RecordingPointerSettings::Record(Call call) {
    m_calls.push_back(call);
    return std::find(m_failing.begin(), m_failing.end(), call) == m_failing.end();
}

bool RecordingPointerSettings::SetMouse(const std::array<int, 3>& triple) {
    const bool ok = Record(Call::SetMouse);
    if (ok) {
        m_settings.mouse = triple;
    }
    return ok;
}

bool RecordingPointerSettings::SetMouseSpeed(uint32_t speed) {
    const bool ok = Record(Call::SetMouseSpeed);
    if (ok) {
        m_settings.speed = speed;
    }
    return ok;
}

bool RecordingPointerSettings::SetWheelScrollLines(uint32_t lines) {
    const bool ok = Record(Call::SetWheelScrollLines);
    if (ok) {
        m_settings.wheelScrollLines = lines;
    }
    return ok;
}

bool RecordingPointerSettings::SetDoubleClickTime(uint32_t milliseconds) {
    const bool ok = Record(Call::SetDoubleClickTime);
    if (ok) {
        m_settings.doubleClickTime = milliseconds;
    }
    return ok;
}

}  // namespace ventrio
