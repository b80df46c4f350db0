// WM_DEVICECHANGE: the broadcasts that concern the mouse and what arrival and removal do.
#include <gtest/gtest.h>

#include "app/profile_loading.h"
#include "device/device_change.h"
#include "platform/trace.h"
#include "tests/native/device_fixture.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using test::Describe;
using test::EventCollector;
using test::SimRig;

class RecordingWindow final : public DeviceChangeWindow {
  public:
    void SendDeviceEvent(uint32_t code, uint32_t value) override {
        calls.push_back("event " + std::to_string(code) + " " + std::to_string(value));
    }
    void HideMainWindow() override { calls.push_back("hide"); }
    void AddTrayIcon() override { calls.push_back("add tray icon"); }
    void RemoveTrayIcon() override { calls.push_back("remove tray icon"); }

    std::vector<std::string> calls;
};

TEST(DeviceChange, PathsAreMatchedByTheirExactSpellings) {
    struct Case {
        const char* path;
        bool arrival;
        bool removal;
    };
    const Case cases[] = {
        {R"(\\?\HID#VID_04D9&PID_B5D9&MI_01&Col02#7&2a7d3c91&0&0001#{4d1e55b2-f16f})", true, true},
        {R"(\\?\hid#VID_04d9&PID_b5d9&mi_00#7&1f0c1a2b)", true, false},
        {R"(\\?\hid#Vid_04d9&Pid_b5d9&mi_00#7&1f0c1a2b)", false, true},
        {R"(\\?\hid#vid_04d9&pid_b5d9&mi_00#7&1f0c1a2b)", false, false},
        {R"(\\?\HID#VID_04D9&PID_B5D8&MI_00)", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsMouseArrivalPath(c.path), c.arrival) << c.path;
        EXPECT_EQ(IsMouseRemovalPath(c.path), c.removal) << c.path;
    }
}

class DeviceChangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopyFactoryDataSet(m_dir.Path());
        LoadProfileAtStartup(m_files, m_state, m_localisation);
        ASSERT_TRUE(m_sim.link.CreateReaderEvent());
    }

    void Change(uint32_t type, const std::string& path, uint32_t deviceType = 5) {
        m_handler.OnDeviceChange(type, deviceType, path);
    }

    static constexpr const char* kPath = R"(\\?\HID#VID_04D9&PID_B5D9&MI_01&Col01#7&2a7d3c91)";

    test::TempDir m_dir;
    ConfigState m_state;
    ConfigFiles m_files{m_state, m_dir.Path()};
    Localisation m_localisation;
    SimRig m_sim;
    EventCollector m_events;
    InputReportReader m_reader{m_sim.link, [this](uint8_t c, uint8_t v) { m_events.Add(c, v); }};
    RecordingWindow m_window;
    DeviceChangeHandler m_handler{m_sim.link, m_state, m_files, m_reader, m_window};
};

TEST_F(DeviceChangeTest, ArrivalFindsTheMouseReloadsTheProfileAndStartsTheReader) {
    SimState mouseState = FactorySimState();
    mouseState.bank = 3;
    m_sim.mouse->SetState(mouseState);
    m_sim.link.Image().bytes.fill(0xEE);
    m_state.working[rec::StageResolution(1)] = 99;  // an unapplied edit
    m_state.labels.fill("edited");
    EXPECT_FALSE(m_reader.Started());

    Change(kDbtDeviceArrival, kPath);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"event 14 0", "add tray icon"}));
    EXPECT_EQ(m_sim.link.DevicePresent(), 1);
    DeviceImage expected;
    expected[img::kBank] = 3;
    expected[img::kFunctionOption] = 0x7C;
    EXPECT_EQ(m_sim.link.Image().bytes, expected.bytes);
    EXPECT_EQ(Describe(m_sim.mouse->ReportLog()),
              (std::vector<std::string>{"set-feature 00820000000000007D",
                                        "get-feature 00820300000000007A",
                                        "set-feature 00017C000000000082"}));
    // The bank went into the record before the profile's file was read over it.
    const auto file = test::ReadBytes(m_dir / "config0.bin");
    EXPECT_TRUE(
        std::equal(m_state.working.bytes.begin(), m_state.working.bytes.end(), file.begin() + 1));
    EXPECT_EQ(m_state.labels[0], "Click");
    EXPECT_TRUE(m_reader.Started());
    m_sim.mouse->QueueEvent(1, 2);
    EXPECT_TRUE(m_events.WaitFor(1));
}

TEST_F(DeviceChangeTest, ArrivalWithoutAMouseToFindHidesAndRemovesTheIcon) {
    m_sim.mouse->Unplug();
    m_sim.link.SetDevicePresent(1);
    Change(kDbtDeviceArrival, kPath);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"event 15 0", "hide", "remove tray icon"}));
    EXPECT_EQ(m_sim.link.DevicePresent(), 0);
    EXPECT_FALSE(m_reader.Started());
}

TEST_F(DeviceChangeTest, RemovalKeepsAMouseThatIsStillThere) {
    TraceCapture trace;
    Change(kDbtDeviceRemoveComplete, kPath);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"add tray icon"}));
    EXPECT_EQ(m_sim.link.DevicePresent(), 1);
    EXPECT_EQ(trace.Text().find("did not detect"), std::string::npos);
}

TEST_F(DeviceChangeTest, RemovalOfTheLastMouseHidesEverything) {
    ConfigRecord working;
    m_sim.Connect(working);
    m_sim.mouse->Unplug();
    TraceCapture trace;
    Change(kDbtDeviceRemoveComplete, kPath);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"event 15 0", "hide", "remove tray icon"}));
    EXPECT_EQ(m_sim.link.DevicePresent(), 0);
    EXPECT_EQ(trace.Text(), "The system did not detect the gaming mouse.");
}

TEST_F(DeviceChangeTest, OtherBroadcastsAreIgnored) {
    TraceCapture trace;
    Change(kDbtDeviceArrival, kPath, /*deviceType=*/3);
    Change(0x8001, kPath);  // query remove
    Change(kDbtDeviceArrival, R"(\\?\HID#VID_046D&PID_C077)");
    Change(kDbtDeviceRemoveComplete, R"(\\?\HID#VID_04d9&PID_b5d9)");
    Change(kDbtDeviceArrival, R"(\\?\HID#Vid_04d9&Pid_b5d9)");
    EXPECT_TRUE(m_window.calls.empty());
    EXPECT_TRUE(m_sim.mouse->ReportLog().empty());
    EXPECT_EQ(trace.Text(), "");
}

// Plugged in after a start without it, the mouse's interfaces each broadcast; the first arrival
// starts the reader and the others find the mouse again without harm.
TEST_F(DeviceChangeTest, EveryInterfaceOfAnArrivingMouseBroadcasts) {
    m_sim.mouse->Unplug();
    ConfigRecord working;
    EXPECT_FALSE(FindDeviceAtStartup(m_sim.link, working));
    m_sim.mouse->SetPlugListener([this](bool plugged, const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            Change(plugged ? kDbtDeviceArrival : kDbtDeviceRemoveComplete, path);
        }
    });
    m_sim.mouse->Plug();
    EXPECT_EQ(m_window.calls.size(), 6u);
    EXPECT_EQ(m_sim.link.DevicePresent(), 1);
    m_sim.mouse->QueueEvent(2, 4);
    ASSERT_TRUE(m_events.WaitFor(1));

    m_window.calls.clear();
    m_sim.mouse->Unplug();
    EXPECT_EQ(m_window.calls.size(), 9u);
    EXPECT_EQ(m_sim.link.DevicePresent(), 0);
    m_sim.mouse->SetPlugListener(nullptr);
}

}  // namespace
}  // namespace ventrio
