#include "platform/win/pointer_settings_win.h"

#include <windows.h>

#include <cstdint>

namespace ventrio {
namespace {

class WinPointerSettings final : public SystemPointerSettings {
  public:
    bool SetMouse(const std::array<int, 3>& triple) override {
        int values[3] = {triple[0], triple[1], triple[2]};
        return SystemParametersInfoW(SPI_SETMOUSE, 0, values, SPIF_SENDCHANGE);
    }
    bool SetMouseSpeed(uint32_t speed) override {
        // The speed travels as the pointer value itself.
        return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                     reinterpret_cast<void*>(static_cast<uintptr_t>(speed)),
                                     SPIF_SENDCHANGE);
    }
    bool SetWheelScrollLines(uint32_t lines) override {
        return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_SENDCHANGE);
    }
    bool SetDoubleClickTime(uint32_t milliseconds) override {
        return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr,
                                     SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    }
};

}  // namespace

std::unique_ptr<SystemPointerSettings> CreateSystemPointerSettings() {
    return std::make_unique<WinPointerSettings>();
}

}  // namespace ventrio
