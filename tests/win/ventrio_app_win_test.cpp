// The program's start-up and lifetime: the real program for the single instance and the start
// without a mouse, the main window itself for what its messages do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win/ventrio_dlg.h"
#include "config/config_files.h"
#include "platform/files.h"
#include "platform/trace.h"
#include "platform/win/private_messages.h"
#include "platform/win/wide_text.h"
#include "skin/win/marker.h"
#include "skin/win/skin_image.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

using test::PumpMessages;
using test::PumpUntil;

class Process {
  public:
    explicit Process(const std::filesystem::path& program) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program.wstring() + L"\"";
        const std::wstring folder = program.parent_path().wstring();
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &m_info)) {
            m_started = true;
        }
    }
    ~Process() {
        if (m_started) {
            if (Running()) {
                TerminateProcess(m_info.hProcess, 99);
                WaitForSingleObject(m_info.hProcess, 5000);
            }
            CloseHandle(m_info.hThread);
            CloseHandle(m_info.hProcess);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return m_started; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD milliseconds) const {
        return WaitForSingleObject(m_info.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION m_info{};
    bool m_started = false;
};

struct WindowSearch {
    DWORD process;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search.process && (!search.visibleOnly || IsWindowVisible(window))) {
        search.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD process, bool visibleOnly) {
    WindowSearch search{process, visibleOnly, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The main window of a process, once its title is set (after the splash).
HWND MainWindowOf(DWORD process) {
    const std::wstring title = Widen(kProductTitle);
    for (HWND window : TopLevelWindows(process, false)) {
        wchar_t text[64] = {};
        GetWindowTextW(window, text, 64);
        if (title == text) {
            return window;
        }
    }
    return nullptr;
}

TEST(VentrioAppWin, ASecondStartEndsSilentlyWhileTheFirstRunsHiddenWithoutAMouse) {
    const std::filesystem::path program = ExecutableFolder() / L"ventrio-sim.exe";
    ASSERT_TRUE(FileExists(program));
    Process first(program);
    ASSERT_TRUE(first.Started());
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (main = MainWindowOf(first.Id())) != nullptr; }, 20000))
        << "the first instance never brought up its main window";

    // No mouse: the window hides itself during its first non-client paints and stays hidden.
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }, 5000));
    PumpMessages(300);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(TopLevelWindows(first.Id(), true).empty()) << "something of it is on screen";

    Process second(program);
    ASSERT_TRUE(second.Started());
    bool showedSomething = false;
    const bool ended = PumpUntil(
        [&] {
            showedSomething = showedSomething || !TopLevelWindows(second.Id(), true).empty();
            return !second.Running();
        },
        2500);
    EXPECT_TRUE(ended) << "the second instance kept running";
    EXPECT_FALSE(showedSomething) << "the second instance showed a window";
    if (ended) {
        EXPECT_EQ(second.ExitCode(), 0u);
    }
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(main));

    // The cancel command (the tray menu's "Exit") ends the program.
    PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(first.WaitForExit(5000));
    EXPECT_EQ(first.ExitCode(), 0u);
}

// The main window as the program builds it, with the generated data set of the build folder.
class MainWindowTest : public ::testing::Test {
  protected:
    ConfigState config;
    ConfigFiles files{config, ExecutableFolder()};
    Localisation localisation;
    RecordingShell shell;
    CVentrioDlg dialog{config, files, localisation, shell};
};

void MakeVisibleWithoutPainting(HWND window) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_VISIBLE);
}

TEST_F(MainWindowTest, WithoutAMouseItHidesDuringItsFirstTwoNonClientPaints) {
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(dialog.Initialised());
    HWND window = dialog.Handle();
    EXPECT_EQ(MainWindowHandle(), window);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_EQ(Narrow(title), kProductTitle);

    // The files, the backup, the language and the labels were loaded on the way.
    EXPECT_FALSE(config.configFile.empty());
    EXPECT_EQ(config.backup, config.working);
    EXPECT_EQ(config.labelSection, localisation.texts.Text(0));
    EXPECT_EQ(localisation.dpiLabels[2], localisation.texts.Text(42));

    for (int paint = 1; paint <= 2; ++paint) {
        MakeVisibleWithoutPainting(window);
        SendMessageW(window, WM_NCPAINT, 1, 0);
        EXPECT_FALSE(IsWindowVisible(window)) << "non-client paint " << paint;
    }
    MakeVisibleWithoutPainting(window);
    SendMessageW(window, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(IsWindowVisible(window)) << "the third non-client paint hid the window too";
    EXPECT_EQ(dialog.NoDeviceHidesLeft(), 0);
}

TEST_F(MainWindowTest, WithAMouseItPaintsItsBackgroundAndKeepsTheAxisMarkersValues) {
    dialog.DevicePresent = 1;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.Handle();
    const SIZE background = BitmapSize(MakeBaseBitmap("/skins/main.png").Get());
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, background.cx);
    EXPECT_EQ(rect.bottom - rect.top, background.cy);

    TraceCapture trace;
    ShowWindow(window, SW_SHOW);
    PumpMessages(200);
    EXPECT_TRUE(IsWindowVisible(window)) << "hidden although a mouse is present";
    EXPECT_FALSE(test::SaveScreenshot(window, "main-window").empty());
    EXPECT_NE(trace.Text().find("CVentrioDlg Onpaint:memdc!=Null\n"), std::string::npos);

    // The two axis markers report into record bytes 59 and 60; another id changes neither.
    config.working[rec::kXSensitivity] = 3;
    config.working[rec::kYSensitivity] = 4;
    CDMarker x;
    CDMarker y;
    ASSERT_TRUE(x.CreateMarker(RECT{37, 235, 245, 244}, window, CVentrioDlg::kXAxisMarkerId));
    ASSERT_TRUE(y.CreateMarker(RECT{37, 295, 245, 304}, window, CVentrioDlg::kYAxisMarkerId));
    for (CDMarker* marker : {&x, &y}) {
        marker->m_minimum = 1;
        marker->m_maximum = 11;
    }
    test::SendMouse(x.Handle(), WM_LBUTTONUP, 104, 4);  // 6
    test::SendMouse(y.Handle(), WM_LBUTTONUP, 208, 4);  // 11
    PumpMessages(50);
    EXPECT_EQ(config.working[rec::kXSensitivity], 6);
    EXPECT_EQ(config.working[rec::kYSensitivity], 11);
    PostMessageW(window, WM_MARKER_POS, 2, 2027);
    PumpMessages(50);
    EXPECT_EQ(config.working[rec::kXSensitivity], 6);
    EXPECT_EQ(config.working[rec::kYSensitivity], 11);
}

struct ModalScript {
    CVentrioDlg* dialog = nullptr;
    int step = 0;
    bool runningAfterKeys = false;
};
ModalScript g_script;

// Runs inside the dialog's modal loop: keys and OK first, then the cancel command.
void CALLBACK DriveMainWindow(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = g_script.dialog->Handle();
    if (window == nullptr || !g_script.dialog->Initialised() || !IsWindowVisible(window)) {
        return;
    }
    switch (++g_script.step) {
        case 1:
            for (WPARAM key : {VK_ESCAPE, VK_RETURN, VK_SPACE, VK_F1}) {
                PostMessageW(window, WM_KEYDOWN, key, 0);
                PostMessageW(window, WM_KEYUP, key, 0xC0000001);
            }
            PostMessageW(window, WM_SYSKEYDOWN, VK_RETURN, 1 << 29);
            PostMessageW(window, WM_COMMAND, IDOK, 0);
            break;
        case 4:
            g_script.runningAfterKeys = IsWindow(window) && g_script.dialog->IsModalRunning();
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            break;
        default:
            break;
    }
}

TEST_F(MainWindowTest, RunsModallyUntilTheCancelCommandWhateverKeysArePressed) {
    dialog.DevicePresent = 1;
    g_script = ModalScript();
    g_script.dialog = &dialog;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &DriveMainWindow);
    const INT_PTR result = dialog.DoModal(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(g_script.runningAfterKeys) << "Enter, Escape, Space, F1 or OK ended the window";
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(MainWindowHandle(), nullptr);
}

}  // namespace
}  // namespace ventrio
