// Finding the mouse, the report transport and every command, against the simulated mouse.
#include <gtest/gtest.h>

#include <functional>

#include "device/device_link.h"
#include "platform/hex.h"
#include "platform/trace.h"
#include "tests/native/device_fixture.h"

namespace ventrio {
namespace {

using test::Bytes;
using test::Describe;
using test::SimRig;

std::string InterfaceTrace(const SimInterfaceInfo& info) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "Find our hid device.Success\nDevicePath:%s,\nUsage:0x%04x\n, UsagePage:0x%04x\n"
                  ",FeatureReportByteLength:0x%04x\n,InputReportByteLength:0x%x\n"
                  ",OutputReportByteLength:0x%x\n",
                  info.path.c_str(), info.caps.Usage, info.caps.UsagePage,
                  info.caps.FeatureReportByteLength, info.caps.InputReportByteLength,
                  info.caps.OutputReportByteLength);
    return text;
}

const SimInterfaceInfo& InterfaceOf(const std::vector<SimInterfaceInfo>& all,
                                    SimInterfaceKind kind) {
    for (const SimInterfaceInfo& info : all) {
        if (info.kind == kind) {
            return info;
        }
    }
    throw std::logic_error("no such interface");
}

TEST(DeviceFind, InputInterfaceFirstOpensBothAndTracesEveryMouseInterface) {
    SimRig rig;
    rig.backend.AddForeignInterface(
        {"\\\\?\\hid#vid_046d&pid_b5d9#1", {0x046D, 0xB5D9, 1}, {}, {}});
    rig.backend.AddForeignInterface(
        {"\\\\?\\hid#vid_04d9&pid_1702#1", {0x04D9, 0x1702, 1}, {}, {}});
    TraceCapture trace;
    EXPECT_EQ(rig.link.FindDevice(), 1);

    const auto interfaces = rig.mouse->Interfaces();
    const auto& command = InterfaceOf(interfaces, SimInterfaceKind::Command);
    // The two foreign devices leave no line; each interface of the mouse leaves one.
    EXPECT_EQ(trace.Text(), InterfaceTrace(interfaces[0]) + InterfaceTrace(interfaces[1]) +
                                InterfaceTrace(interfaces[2]));
    EXPECT_EQ(rig.link.DevicePresent(), 1);
    EXPECT_TRUE(rig.link.HasCommandInterface());
    EXPECT_TRUE(rig.link.HasInputInterface());
    EXPECT_EQ(rig.link.DevicePath(), command.path);
    EXPECT_EQ(rig.link.FeatureReportLength(), 9);
    EXPECT_EQ(rig.link.CommandInputLength(), 65);
    EXPECT_EQ(rig.link.EventInputLength(), 8);
}

TEST(DeviceFind, CommandInterfaceFirstLeavesTheInputInterfaceClosed) {
    SimRig rig(SimMouseOptions{SimEnumerationOrder::CommandFirst});
    TraceCapture trace;
    EXPECT_EQ(rig.link.FindDevice(), 1);
    EXPECT_TRUE(rig.link.HasCommandInterface());
    EXPECT_FALSE(rig.link.HasInputInterface());
    EXPECT_EQ(rig.link.EventInputLength(), 0);
    EXPECT_EQ(trace.Text().find("Usage:0x0001\n, UsagePage:0xff01"), std::string::npos);
}

TEST(DeviceFind, EveryFailingStepEndsTheSearchWithItsTrace) {
    struct Case {
        const char* name;
        std::function<void(SimRig&)> setUp;
        int found;
        bool inputOpen;
        const char* traceEnd;  // what the trace ends with
        size_t mouseLines;     // "Find our hid device" lines
    };
    const SimInterfaceFaults pathFails{.pathFails = true};
    const SimInterfaceFaults probeFails{.probeFails = true};
    const SimInterfaceFaults preparsedFails{.preparsedDataFails = true};
    const SimInterfaceFaults capsInvalid{.capsInvalid = true};
    const SimInterfaceFaults openFails{.openFails = true};
    const SimInterfaceFaults attributesFail{.attributesFail = true};
    const Case cases[] = {
        {"no list", [](SimRig& r) { r.backend.SetListFails(true); }, 0, false, "", 0},
        {"no mouse", [](SimRig& r) { r.mouse->Unplug(); }, 0, false, "", 0},
        {"enumeration fails", [](SimRig& r) { r.backend.SetEnumerationFailsAt(1); }, 0, false,
         ",OutputReportByteLength:0x0\n", 1},
        {"path of the command interface",
         [&](SimRig& r) {
             r.backend.SetMouseInterfaceFaults(SimInterfaceKind::Command, pathFails);
         },
         0, true, ",OutputReportByteLength:0x0\n", 2},
        {"probe of a foreign device",
         [&](SimRig& r) {
             r.backend.AddForeignInterface({"foreign", {1, 2, 3}, {}, probeFails});
         },
         0, false, "", 0},
        {"preparsed data",
         [&](SimRig& r) {
             r.backend.SetMouseInterfaceFaults(SimInterfaceKind::Pointer, preparsedFails);
         },
         0, false, "Find our hid device.Success\nHidD_GetPreparsedData failed.\n", 1},
        {"capabilities",
         [&](SimRig& r) {
             r.backend.SetMouseInterfaceFaults(SimInterfaceKind::Input, capsInvalid);
         },
         0, false, "Find our hid device.Success\nHidP_GetCaps failed.", 2},
        {"opening the input interface",
         [&](SimRig& r) { r.backend.SetMouseInterfaceFaults(SimInterfaceKind::Input, openFails); },
         0, false, ",InputReportByteLength:0x8\n,OutputReportByteLength:0x0\n", 2},
        {"opening the command interface",
         [&](SimRig& r) {
             r.backend.SetMouseInterfaceFaults(SimInterfaceKind::Command, openFails);
         },
         0, true, ",InputReportByteLength:0x41\n,OutputReportByteLength:0x41\n", 3},
        {"unreadable attributes of a foreign device are skipped",
         [&](SimRig& r) {
             r.backend.AddForeignInterface({"foreign", {}, {}, attributesFail});
         },
         1, true, ",OutputReportByteLength:0x41\n", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimRig rig;
        c.setUp(rig);
        TraceCapture trace;
        EXPECT_EQ(rig.link.FindDevice(), c.found);
        EXPECT_EQ(rig.link.DevicePresent(), c.found);
        EXPECT_EQ(rig.link.HasCommandInterface(), c.found == 1);
        EXPECT_EQ(rig.link.HasInputInterface(), c.inputOpen);
        const std::string text = trace.Text();
        EXPECT_TRUE(text.ends_with(c.traceEnd)) << text;
        size_t lines = 0;
        for (size_t at = text.find("Find our"); at != std::string::npos;
             at = text.find("Find our", at + 1)) {
            ++lines;
        }
        EXPECT_EQ(lines, c.mouseLines) << text;
    }
}

TEST(DeviceFind, AtStartupClearsTheImageAndSendsTheFunctionOption) {
    SimRig rig;
    ConfigRecord working;
    working[rec::kBank] = 5;
    rig.link.Image().bytes.fill(0xEE);
    TraceCapture trace;
    ASSERT_TRUE(FindDeviceAtStartup(rig.link, working));
    DeviceImage expected;
    expected[img::kFunctionOption] = 0x7C;
    EXPECT_EQ(rig.link.Image().bytes, expected.bytes);
    EXPECT_EQ(working[rec::kBank], 0);
    EXPECT_EQ(Describe(rig.mouse->ReportLog()),
              std::vector<std::string>{"set-feature 00017C000000000082"});
    EXPECT_TRUE(trace.Text().ends_with("SetFunctionOption:7c-00\n"));
    EXPECT_EQ(rig.mouse->FunctionOption(), 0x7C);

    SimRig absent;
    absent.mouse->Unplug();
    absent.link.SetDevicePresent(1);
    EXPECT_FALSE(FindDeviceAtStartup(absent.link, working));
    EXPECT_EQ(absent.link.DevicePresent(), 0);
}

TEST(DeviceFind, TheReaderEventIsMadeOnceAndAFailureIsTraced) {
    SimRig failing;
    failing.backend.SetReaderEventFails(true);
    TraceCapture trace;
    EXPECT_FALSE(failing.link.CreateReaderEvent());
    EXPECT_EQ(trace.Text(), "CreateEvent failed.");
    EXPECT_FALSE(failing.link.ReaderEvent());

    SimRig rig;
    ASSERT_TRUE(rig.link.CreateReaderEvent());
    const auto event = rig.link.ReaderEvent();
    EXPECT_TRUE(rig.link.CreateReaderEvent());
    EXPECT_EQ(rig.link.ReaderEvent(), event);
}

TEST(DeviceCommands, EachCommandSendsItsReportsAndPauses) {
    struct Case {
        const char* name;
        std::function<void(DeviceLink&)> run;
        std::vector<std::string> reports;
        std::vector<uint32_t> sleeps;
        const char* trace;
    };
    const Case cases[] = {
        {"function option",
         [](DeviceLink& l) { l.SetFunctionOption(); },
         {"set-feature 00017C000000000082"},
         {},
         "SetFunctionOption:7c-00\n"},
        {"select bank",
         [](DeviceLink& l) { l.SelectBank(3); },
         {"set-feature 0002030000000000FA"},
         {},
         ""},
        {"polling rate on the image's bank",
         [](DeviceLink& l) {
             l.Image()[img::kBank] = 2;
             l.SetPollingRate(8);
         },
         {"set-feature 0003020800000000F2"},
         {},
         ""},
        {"firmware version",
         [](DeviceLink& l) { l.ReadFirmwareVersion(); },
         {"set-feature 00800000000000007F", "get-feature 008001070000000077"},
         {},
         "Buffer[1]:80,Buffer[2]:01.FW version:01-07\n"},
        {"bank into the image",
         [](DeviceLink& l) {
             EXPECT_EQ(l.ReadBank(), 4);
             EXPECT_EQ(l.Image()[img::kBank], 4);
         },
         {"set-feature 00820000000000007D", "get-feature 008204000000000079"},
         {},
         "Buffer[1]:82,Buffer[2]:04."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimState state = FactorySimState();
        state.bank = 4;
        SimRig rig({}, state);
        ConfigRecord working;
        rig.Connect(working);
        TraceCapture trace;
        c.run(rig.link);
        EXPECT_EQ(Describe(rig.mouse->ReportLog()), c.reports);
        EXPECT_EQ(rig.clock.Sleeps(), c.sleeps);
        EXPECT_EQ(trace.Text(), c.trace);
    }
}

TEST(DeviceCommands, PollingRateGoesToTheImageAndTheMouse) {
    SimRig rig;
    ConfigRecord working;
    rig.Connect(working);
    rig.link.SetPollingRate(4);
    EXPECT_EQ(rig.link.Image()[img::kPollingDivisor], 4);
    EXPECT_EQ(rig.mouse->State().banks[0].pollingDivisor, 4);
}

TEST(DeviceCommands, AWriteCommandSendsTwoChunksAndPausesForEach) {
    SimRig rig;
    ConfigRecord working;
    rig.Connect(working);
    for (size_t i = 0; i < kSettingsPageSize; ++i) {
        rig.link.Image().SettingsPage()[i] = static_cast<uint8_t>(0x80 + i);
    }
    rig.link.Image()[img::kBank] = 1;
    rig.link.WriteSettingsPage();

    const auto log = rig.mouse->ReportLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(Describe(log[0].op, log[0].data), "set-feature 000C01800000000072");
    for (size_t chunk = 0; chunk < 2; ++chunk) {
        std::vector<uint8_t> expected = {0};
        for (size_t i = 0; i < 64; ++i) {
            expected.push_back(static_cast<uint8_t>(0x80 + 64 * chunk + i));
        }
        EXPECT_EQ(log[1 + chunk].op, SimReport::Op::Write);
        EXPECT_EQ(log[1 + chunk].data, expected);
    }
    EXPECT_EQ(rig.clock.Sleeps(), (std::vector<uint32_t>{100, 100, 10}));
    EXPECT_TRUE(std::equal(rig.link.Image().SettingsPage().begin(),
                           rig.link.Image().SettingsPage().end(),
                           rig.mouse->State().banks[1].settingsPage.begin()));
}

TEST(DeviceCommands, MacroSlotsSendTheFirst128BytesOfEachBlock) {
    SimRig rig;
    ConfigRecord working;
    rig.Connect(working);
    auto area = rig.link.Image().MacroArea();
    for (size_t i = 0; i < area.size(); ++i) {
        area[i] = static_cast<uint8_t>(i * 7 + i / 130);
    }
    rig.link.WriteMacroSlots();

    const auto log = rig.mouse->ReportLog();
    ASSERT_EQ(log.size(), 36u);
    for (uint8_t slot = 1; slot <= 12; ++slot) {
        const auto& command = log[3 * (slot - 1)];
        EXPECT_EQ(command.data[1], 0x0F);
        EXPECT_EQ(command.data[2], slot);
        EXPECT_EQ(command.data[3], 0x80);
    }
    // Slot 12 comes from image bytes 2343 to 2470.
    const auto& image = rig.link.Image().bytes;
    EXPECT_TRUE(std::equal(log[34].data.begin() + 1, log[34].data.end(), image.begin() + 2343));
    EXPECT_TRUE(std::equal(log[35].data.begin() + 1, log[35].data.end(), image.begin() + 2407));
    const SimState state = rig.mouse->State();
    EXPECT_TRUE(
        std::equal(state.macroSlots[11].begin(), state.macroSlots[11].end(), image.begin() + 2343));
    std::vector<uint32_t> sleeps;
    for (int slot = 0; slot < 12; ++slot) {
        sleeps.insert(sleeps.end(), {100, 100, 50});
    }
    EXPECT_EQ(rig.clock.Sleeps(), sleeps);
}

// Whatever length the reply announces, the page takes at most 128 bytes, nothing beyond the page
// changes, and every chunk the mouse sends is read so that the next command meets no leftover.
TEST(DeviceCommands, ReadSettingsPageTakesAtMostOnePageAndReadsEveryAnnouncedChunk) {
    for (const int length : {0, 1, 63, 64, 65, 100, 128, 129, 192, 200, 255}) {
        SCOPED_TRACE(length);
        SimRig rig;
        ConfigRecord working;
        rig.Connect(working);
        rig.mouse->SetReplyLength(static_cast<uint8_t>(length));
        DeviceImage& image = rig.link.Image();
        image.bytes.fill(0xEE);
        image[img::kBank] = 2;
        rig.link.ReadSettingsPage();

        const size_t chunks = (length + 63) / 64;
        const auto log = rig.mouse->ReportLog();
        ASSERT_EQ(log.size(), 2 + chunks);
        EXPECT_EQ(Describe(log[0].op, log[0].data), "set-feature 008C02000000000071");
        for (size_t i = 0; i < chunks; ++i) {
            EXPECT_EQ(log[2 + i].op, SimReport::Op::Read);
        }
        std::vector<uint32_t> sleeps(chunks, 100);
        sleeps.push_back(10);
        EXPECT_EQ(rig.clock.Sleeps(), sleeps);

        const SimArea page = rig.mouse->State().banks[2].settingsPage;
        const size_t copied = std::min(length, 128);
        for (size_t i = 0; i < kDeviceImageSize; ++i) {
            const bool inPage = i >= 17 && i < 17 + copied;
            if (i == img::kBank) {
                continue;
            }
            ASSERT_EQ(image[i], inPage ? page[i - 17] : 0xEE) << "image byte " << i;
        }
        // The next exchanges are in step with the mouse.
        EXPECT_EQ(rig.link.ReadBank(), 0);
        rig.mouse->SetReplyLength(std::nullopt);
        rig.link.ReadSettingsPage();
        const SimArea bankZero = rig.mouse->State().banks[0].settingsPage;
        EXPECT_TRUE(std::equal(bankZero.begin(), bankZero.end(), image.SettingsPage().begin()));
    }
}

TEST(DeviceCommands, ShortAndEmptyReadsLeaveZerosInTheirChunks) {
    for (const size_t limit : {size_t{0}, size_t{1}, size_t{10}, size_t{64}}) {
        SCOPED_TRACE(limit);
        SimRig rig;
        ConfigRecord working;
        rig.Connect(working);
        rig.mouse->SetDataReadLimit(limit);
        rig.link.Image().SettingsPage()[5] = 0xEE;
        rig.link.ReadSettingsPage();
        const SimArea page = rig.mouse->State().banks[0].settingsPage;
        for (size_t i = 0; i < kSettingsPageSize; ++i) {
            // Report byte 0 is the report id; data byte j of a chunk is report byte j + 1.
            const size_t inChunk = i % 64;
            const uint8_t expected = inChunk + 1 < limit ? page[i] : 0;
            ASSERT_EQ(rig.link.Image().SettingsPage()[i], expected) << i;
        }
    }
}

TEST(DeviceCommands, WithoutAMouseEveryCommandFailsQuietly) {
    SimRig rig;
    rig.mouse->Unplug();
    EXPECT_EQ(rig.link.FindDevice(), 0);
    TraceCapture trace;
    rig.link.Image()[img::kBank] = 3;
    EXPECT_EQ(rig.link.ReadBank(), 0);
    EXPECT_EQ(rig.link.Image()[img::kBank], 0);
    EXPECT_EQ(rig.link.ReadFirmwareVersion(), (std::array<uint8_t, 2>{0, 0}));
    rig.link.SetFunctionOption();
    rig.link.Image().SettingsPage()[0] = 0x42;
    rig.link.ReadSettingsPage();
    EXPECT_EQ(rig.link.Image().SettingsPage()[0], 0x42);
    rig.link.WriteButtonTable();
    EXPECT_EQ(trace.Text(),
              "Buffer[1]:00,Buffer[2]:00.Buffer[1]:00,Buffer[2]:00.FW version:00-00\n"
              "SetFunctionOption:7c-00\n");
    EXPECT_EQ(rig.clock.Sleeps(), (std::vector<uint32_t>{10, 100, 100, 2}));
}

TEST(DeviceCommands, ChecksumOfTheSpecimenBlocks) {
    EXPECT_EQ(CommandChecksum(MakeCommandBlock(0x01, 0x7C)), 0x82);
    EXPECT_EQ(CommandChecksum(MakeCommandBlock(0x80)), 0x7F);
    EXPECT_EQ(CommandChecksum(CommandBlock{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x12}), 0x06);
}

}  // namespace
}  // namespace ventrio
