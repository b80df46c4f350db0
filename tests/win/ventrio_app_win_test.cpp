// The program's start-up and lifetime: the real program for the single instance and the start
// without a mouse, the main window itself for what its messages do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win/ventrio_dlg.h"
#include "config/config_files.h"
#include "platform/files.h"
#include "platform/trace.h"
#include "platform/win/device_broadcast.h"
#include "platform/win/private_messages.h"
#include "platform/win/wide_text.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"
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
    // The real program: Wine has no such mouse to offer.
    const std::filesystem::path program = ExecutableFolder() / L"ventrio.exe";
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

// The main window as the program builds it, with the generated data set of the build folder and
// the simulated mouse plugged in.
class MainWindowTest : public ::testing::Test {
  protected:
    // The reports the mouse received whose command block starts with `code` (and `first`).
    size_t CommandsSent(uint8_t code, std::optional<uint8_t> first = std::nullopt) const {
        size_t count = 0;
        for (const SimReport& report : mouse->ReportLog()) {
            if (report.op == SimReport::Op::SetFeature && report.data.size() > 2 &&
                report.data[1] == code && (!first || report.data[2] == *first)) {
                ++count;
            }
        }
        return count;
    }

    std::shared_ptr<SimulatedMouse> mouse = std::make_shared<SimulatedMouse>();
    SimHidBackend hid{mouse};
    FakeClock clock;
    DeviceLink link{hid, clock};
    ConfigState config;
    ConfigFiles files{config, ExecutableFolder()};
    Localisation localisation;
    RecordingShell shell;
    CVentrioDlg dialog{config, files, localisation, shell, link};
};

void MakeVisibleWithoutPainting(HWND window) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_VISIBLE);
}

TEST_F(MainWindowTest, WithoutAMouseItHidesDuringItsFirstTwoNonClientPaints) {
    mouse->Unplug();
    TraceCapture trace;
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
    EXPECT_FALSE(dialog.TrayIconShown());
    // The two firmware reads went to a mouse that is not there: all-zero replies, no message.
    EXPECT_EQ(trace.Text().find("SetFunctionOption"), std::string::npos) << trace.Text();
    const std::string zeroVersion = "FW version:00-00\n";
    EXPECT_NE(trace.Text().find(zeroVersion), trace.Text().rfind(zeroVersion)) << trace.Text();
    EXPECT_TRUE(mouse->ReportLog().empty());

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

TEST_F(MainWindowTest, WithTheMouseItSendsTheFunctionOptionTwiceAndReadsTheFirmwareTwice) {
    TraceCapture trace;
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(dialog.Initialised());
    EXPECT_EQ(link.DevicePresent(), 1);
    EXPECT_EQ(CommandsSent(0x01, 0x7C), 2u);
    EXPECT_EQ(CommandsSent(0x80), 2u);
    const std::string text = trace.Text();
    const std::string option = "SetFunctionOption:7c-00\n";
    const std::string firmware = "FW version:";
    EXPECT_NE(text.find(option), text.rfind(option)) << text;
    EXPECT_NE(text.find(firmware), text.rfind(firmware)) << text;
    EXPECT_TRUE(dialog.TrayIconShown());

    // A mouse at start-up keeps the window from hiding itself.
    HWND window = dialog.Handle();
    MakeVisibleWithoutPainting(window);
    SendMessageW(window, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindowTest, FollowsTheMouseOutAndBackInAndHearsItsEvents) {
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.Handle();
    mouse->SetPlugListener([window](bool plugged, const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            SendDeviceInterfaceBroadcast(window, plugged, path);
        }
    });
    ShowWindow(window, SW_SHOW);
    PumpMessages(100);

    TraceCapture trace;
    mouse->Unplug();
    EXPECT_EQ(link.DevicePresent(), 0);
    EXPECT_FALSE(IsWindowVisible(window)) << "pulling the mouse out hides the window";
    EXPECT_FALSE(dialog.TrayIconShown());
    EXPECT_NE(trace.Text().find("The system did not detect the gaming mouse."), std::string::npos);

    trace.Clear();
    mouse->Plug();
    EXPECT_EQ(link.DevicePresent(), 1) << trace.Text();
    EXPECT_TRUE(dialog.TrayIconShown());
    EXPECT_FALSE(IsWindowVisible(window)) << "an arrival adds the tray icon, it shows no window";

    // A DPI switch to stage 1 on the mouse: the reader hands it to the window, which reads the
    // bank and the settings page before the balloon.
    mouse->ClearReportLog();
    mouse->QueueEvent(1, 1);
    EXPECT_TRUE(PumpUntil([&] { return CommandsSent(0x8C) == 1; }, 3000))
        << "the event never reached the window";
    EXPECT_EQ(CommandsSent(0x82), 1u);

    // Stage 3 asks for nothing from the mouse.
    mouse->ClearReportLog();
    mouse->QueueEvent(2, 3);
    mouse->QueueEvent(9, 4);
    PumpMessages(300);
    EXPECT_TRUE(mouse->ReportLog().empty());
}

TEST_F(MainWindowTest, WithAMouseItPaintsItsBackgroundAndKeepsTheAxisMarkersValues) {
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
