#include "app/win/ventrio_app.h"

#include <windows.h>

#include <commctrl.h>

#include "app/localisation.h"
#include "app/win/ventrio_dlg.h"
#include "platform/files.h"
#include "platform/win/ansi_codec_win.h"
#include "platform/win/debug_trace.h"
#include "platform/win/window.h"
#include "skin/win/ex_menu.h"

namespace ventrio {
namespace {

constexpr DWORD kAllControlClasses = 0xFF;

// A copy of the system dialog class under the program's own name. No window uses it; it marks
// the program for tools that look for it.
bool RegisterPrivateClass() {
    WNDCLASSEXW dialogClass{};
    dialogClass.cbSize = sizeof(dialogClass);
    if (!GetClassInfoExW(nullptr, L"#32770", &dialogClass)) {
        return false;
    }
    dialogClass.hInstance = ProgramInstance();
    dialogClass.lpszClassName = kPrivateClassName;
    return RegisterClassExW(&dialogClass) != 0;
}

}  // namespace

CVentrioApp::CVentrioApp(std::unique_ptr<HidBackend> hid)
    : m_files(m_config, ExecutableFolder()), m_hid(std::move(hid)), m_link(*m_hid, m_clock) {}

bool CVentrioApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = kAllControlClasses;
    InitCommonControlsEx(&controls);

    InstallMenuFrameHook();

    if (!RegisterPrivateClass()) {
        return false;
    }

    m_mutex.Reset(CreateMutexW(nullptr, FALSE, kSingleInstanceMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        m_mutex.Reset();
        return false;
    }
    return true;
}

void CVentrioApp::RunMainWindow() {
    CVentrioDlg dialog(m_config, m_files, ProgramLocalisation(), m_shell, m_link);
    dialog.DoModal(nullptr);
}

int CVentrioApp::ExitInstance() {
    if (m_mutex) {
        ReleaseMutex(m_mutex.Get());
        m_mutex.Reset();
    }
    return 0;
}

int RunVentrio(std::unique_ptr<HidBackend> hid) {
    InstallDebugOutputTrace();
    InstallSystemAnsiCodec();
    CVentrioApp app(std::move(hid));
    if (!app.InitInstance()) {
        return 0;
    }
    app.RunMainWindow();
    return app.ExitInstance();
}

}  // namespace ventrio
