// The Win32 HID backend and pointer settings as far as Wine can show them, and the simulated
// mouse built for Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "device/device_link.h"
#include "device/input_report_reader.h"
#include "platform/clock.h"
#include "platform/trace.h"
#include "platform/win/hid_backend_win.h"
#include "platform/win/pointer_settings_win.h"
#include "sim/sim_hid_backend.h"

namespace ventrio {
namespace {

TEST(HidBackendWin, FindDeviceWithoutTheMouseReturnsZeroAndTracesNothingWrong) {
    const auto backend = CreateSystemHidBackend();
    FakeClock clock;
    DeviceLink link(*backend, clock);
    TraceCapture trace;
    EXPECT_EQ(link.FindDevice(), 0);
    EXPECT_EQ(link.DevicePresent(), 0);
    EXPECT_FALSE(link.HasCommandInterface());
    EXPECT_FALSE(link.HasInputInterface());
    EXPECT_EQ(trace.Text().find("Find our hid device"), std::string::npos) << trace.Text();
    EXPECT_EQ(trace.Text().find("failed"), std::string::npos) << trace.Text();

    // Commands without a mouse fail quietly and read zeros.
    EXPECT_EQ(link.ReadFirmwareVersion(), (std::array<uint8_t, 2>{0, 0}));
    EXPECT_EQ(link.ReadBank(), 0);
}

TEST(HidBackendWin, EveryListedInterfaceHasAPath) {
    const auto backend = CreateSystemHidBackend();
    const auto list = backend->ListInterfaces();
    ASSERT_TRUE(list);
    uint32_t index = 0;
    for (; index < 1000 && list->Enumerate(index) == HidEnumResult::Found; ++index) {
        const auto path = list->DevicePath(index);
        ASSERT_TRUE(path);
        EXPECT_FALSE(path->empty());
    }
    EXPECT_EQ(list->Enumerate(index), HidEnumResult::NoMoreItems);
    EXPECT_FALSE(
        backend->OpenProbe(R"(\\?\hid#no_such_device#0#{4d1e55b2-f16f-11cf-88cb-001111000030})"));
}

TEST(HidBackendWin, ReaderWaitsOnTheSystemEventAndStops) {
    const auto backend = CreateSystemHidBackend();
    FakeClock clock;
    DeviceLink link(*backend, clock);
    ASSERT_TRUE(link.CreateReaderEvent());
    std::atomic<int> events{0};
    InputReportReader reader(link, [&](uint8_t, uint8_t) { ++events; });
    reader.Resume();
    Sleep(20);
    link.SetDevicePresent(1);  // wakes it; without an input interface it waits again
    Sleep(20);
    reader.Stop();
    EXPECT_EQ(events.load(), 0);
}

TEST(HidBackendWin, TheSimulatedMouseWorksBehindTheSameSeam) {
    auto mouse = std::make_shared<SimulatedMouse>();
    SimHidBackend backend(mouse);
    FakeClock clock;
    DeviceLink link(backend, clock);
    ConfigRecord working;
    ASSERT_TRUE(FindDeviceAtStartup(link, working));
    ASSERT_TRUE(link.CreateReaderEvent());
    HANDLE delivered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> code{0};
    InputReportReader reader(link, [&](uint8_t c, uint8_t) {
        code = c;
        SetEvent(delivered);
    });
    reader.Resume();
    mouse->QueueEvent(2, 3);
    EXPECT_EQ(WaitForSingleObject(delivered, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(code.load(), 2);
    reader.Stop();
    CloseHandle(delivered);

    link.ReadSettingsPage();
    const SimArea page = mouse->State().banks[0].settingsPage;
    EXPECT_TRUE(std::equal(page.begin(), page.end(), link.Image().SettingsPage().begin()));
}

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class SavedPointerSettings {
  public:
    SavedPointerSettings() {
        SystemParametersInfoW(SPI_GETMOUSE, 0, m_mouse, 0);
        SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &m_speed, 0);
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &m_lines, 0);
        m_doubleClick = GetDoubleClickTime();
    }
    ~SavedPointerSettings() {
        SystemParametersInfoW(SPI_SETMOUSE, 0, m_mouse, 0);
        SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                              reinterpret_cast<void*>(static_cast<intptr_t>(m_speed)), 0);
        SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, m_lines, nullptr, 0);
        SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, m_doubleClick, nullptr, SPIF_UPDATEINIFILE);
    }

  private:
    int m_mouse[3] = {};
    int m_speed = 10;
    UINT m_lines = 3;
    UINT m_doubleClick = 500;
};

TEST(PointerSettingsWin, HandsEachSettingToTheSystem) {
    SavedPointerSettings saved;
    ConfigRecord record;
    record[rec::kEnhancePrecision] = 1;
    record[rec::kPointerSpeed] = 4;
    record[rec::kScrollLines] = 7;
    record[rec::kDoubleClickSpeed] = 3;
    const auto system = CreateSystemPointerSettings();
    TraceCapture trace;
    ApplyPointerSettings(record, *system);
    EXPECT_EQ(trace.Text(), "");

    int mouse[3] = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0));
    EXPECT_EQ(mouse[0], 6);
    EXPECT_EQ(mouse[1], 10);
    EXPECT_EQ(mouse[2], 1);
    int speed = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0));
    // Wine takes the speed but keeps 0 whatever it is given.
    if (!RunningUnderWine()) {
        EXPECT_EQ(speed, 6);
    }
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 7u);
    EXPECT_EQ(GetDoubleClickTime(), 760u);

    record[rec::kEnhancePrecision] = 0;
    record[rec::kPageScroll] = 1;
    ApplyPointerSettings(record, *system);
    EXPECT_EQ(trace.Text(), "");
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0));
    EXPECT_EQ(mouse[2], 0);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, WHEEL_PAGESCROLL);
}

}  // namespace
}  // namespace ventrio
