// The process: start-up (common controls, the menu frame painter, the private window class, the
// single-instance mutex), the main window's modal run, and the end.
#pragma once

#include <filesystem>
#include <memory>

#include "config/config_files.h"
#include "config/config_state.h"
#include "device/device_link.h"
#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/win/handles.h"
#include "platform/win/shell_win.h"

namespace ventrio {

inline constexpr wchar_t kPrivateClassName[] = L"ZR560LClass";
inline constexpr wchar_t kSingleInstanceMutexName[] = L"ZR5608152L_Mutex";

class CVentrioApp {
  public:
    // `hid` is the program's way to the mouse: the HID class driver in ventrio.exe, the
    // simulated mouse in ventrio-sim.exe.
    explicit CVentrioApp(std::unique_ptr<HidBackend> hid);

    // The start-up step; false when the process must end at once (a second instance, or the
    // private class cannot be registered), silently.
    bool InitInstance();
    // Runs the main window as a modal dialog until it ends.
    void RunMainWindow();
    // The end: releases the single-instance mutex. Nothing is saved.
    int ExitInstance();

  private:
    ScopedHandle m_mutex;
    // Process-wide state shared with the device link; it lives as long as the process.
    ConfigState m_config;
    ConfigFiles m_files;
    Win32Shell m_shell;
    std::unique_ptr<HidBackend> m_hid;
    SystemClock m_clock;
    DeviceLink m_link;
};

// The whole process of ventrio.exe and ventrio-sim.exe; returns the exit code.
int RunVentrio(std::unique_ptr<HidBackend> hid);

}  // namespace ventrio
