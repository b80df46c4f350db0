// The input reader thread against the simulated mouse. Every wait has a time-out, so a reader that
// hangs fails its test instead of the run.
#include <gtest/gtest.h>

#include <thread>

#include "device/input_report_reader.h"
#include "tests/native/device_fixture.h"

namespace ventrio {
namespace {

using namespace std::chrono_literals;
using test::EventCollector;
using test::Eventually;
using test::SimRig;

using Events = std::vector<std::pair<uint8_t, uint8_t>>;

struct ReaderRig {
    explicit ReaderRig(SimMouseOptions options = {}) : sim(options) {}

    // Start-up's steps 5 to 7: find the mouse, create the event, resume the reader when found.
    bool StartUp(bool resumeAnyway = false) {
        const bool found = FindDeviceAtStartup(sim.link, working);
        EXPECT_TRUE(sim.link.CreateReaderEvent());
        if (found || resumeAnyway) {
            reader.Resume();
        }
        return found;
    }

    SimulatedMouse& Mouse() { return *sim.mouse; }

    SimRig sim;
    ConfigRecord working;
    EventCollector events;
    InputReportReader reader{sim.link,
                             [this](uint8_t code, uint8_t value) { events.Add(code, value); }};
};

TEST(DeviceReader, DeliversEveryEventReportInOrder) {
    ReaderRig rig;
    ASSERT_TRUE(rig.StartUp());
    rig.Mouse().QueueEvent(1, 2);
    rig.Mouse().QueueEvent(9, 3);
    rig.Mouse().QueueEvent(2, 7);
    ASSERT_TRUE(rig.events.WaitFor(3));
    EXPECT_EQ(rig.events.Events(), (Events{{1, 2}, {9, 3}, {2, 7}}));
}

TEST(DeviceReader, WaitsWithoutAMouseAndStartsReadingWhenTheSearchFindsOne) {
    ReaderRig rig;
    rig.Mouse().Unplug();
    EXPECT_FALSE(rig.StartUp(/*resumeAnyway=*/true));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(rig.Mouse().EventReadsStarted(), 0u);

    rig.Mouse().Plug();
    ASSERT_EQ(rig.sim.link.FindDevice(), 1);  // signals the reader's event
    rig.Mouse().QueueEvent(3, 4);
    ASSERT_TRUE(rig.events.WaitFor(1));
    EXPECT_EQ(rig.events.Events(), (Events{{3, 4}}));
}

TEST(DeviceReader, AFailedReadWaitsQuietlyForTheNextInputInterface) {
    ReaderRig rig;
    ASSERT_TRUE(rig.StartUp());
    rig.Mouse().QueueEvent(1, 1);
    ASSERT_TRUE(rig.events.WaitFor(1));
    ASSERT_TRUE(Eventually([&] { return rig.Mouse().EventReadsStarted() == 2; }));

    // The pending read fails; the reader tries nothing more until the search opens a new handle.
    rig.Mouse().Unplug();
    const size_t reads = rig.Mouse().EventReadsStarted();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(rig.Mouse().EventReadsStarted(), reads);
    rig.Mouse().QueueEvent(1, 2);  // nobody hears a mouse that is not there

    rig.Mouse().Plug();
    ASSERT_EQ(rig.sim.link.FindDevice(), 1);
    ASSERT_TRUE(Eventually([&] { return rig.Mouse().EventReadsStarted() > reads; }));
    rig.Mouse().QueueEvent(1, 3);
    ASSERT_TRUE(rig.events.WaitFor(2));
    EXPECT_EQ(rig.events.Events(), (Events{{1, 1}, {1, 3}}));
}

TEST(DeviceReader, ForeignShortAndEmptyReportsAreIgnored) {
    ReaderRig rig;
    ASSERT_TRUE(rig.StartUp());
    for (std::vector<uint8_t> report : std::vector<std::vector<uint8_t>>{
             {0x05, 0x07, 0x01, 0x02, 0, 0, 0, 0},
             {},
             {0x06, 0x08, 0x01, 0x02, 0, 0, 0, 0},
             {0x07, 0x06, 0x01, 0x02},
             {0x06},
         }) {
        rig.Mouse().QueueEventReport(report);
    }
    rig.Mouse().QueueEvent(2, 5);
    ASSERT_TRUE(rig.events.WaitFor(1));
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(rig.events.Events(), (Events{{2, 5}}));
}

// The buffer holds whatever length the interface declares; a report too short for an event
// shows nothing of an earlier one.
TEST(DeviceReader, ReadsTheReportLengthTheInterfaceDeclares) {
    struct Case {
        uint16_t length;
        Events expected;
    };
    const Case cases[] = {
        {1, {}},       {2, {{0, 0}}},  {3, {{1, 0}}},    {4, {{1, 3}}},
        {5, {{1, 3}}}, {64, {{1, 3}}}, {4096, {{1, 3}}}, {65535, {{1, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        SimMouseOptions options;
        options.eventReportLength = c.length;
        ReaderRig rig(options);
        ASSERT_TRUE(rig.StartUp());
        EXPECT_EQ(rig.sim.link.EventInputLength(), c.length);
        rig.Mouse().QueueEvent(9, 9);
        rig.Mouse().QueueEvent(1, 3);
        // Both reports consumed: two reads completed and a third started.
        ASSERT_TRUE(Eventually([&] { return rig.Mouse().EventReadsStarted() >= 3; }));
        std::this_thread::sleep_for(5ms);
        Events expected = c.expected;
        if (!expected.empty()) {
            expected.insert(expected.begin(), c.length >= 4   ? std::pair<uint8_t, uint8_t>{9, 9}
                                              : c.length == 3 ? std::pair<uint8_t, uint8_t>{9, 0}
                                                              : std::pair<uint8_t, uint8_t>{0, 0});
        }
        EXPECT_EQ(rig.events.Events(), expected);
    }
}

TEST(DeviceReader, CommandInterfaceFirstMeansNoEventsAreRead) {
    ReaderRig rig(SimMouseOptions{SimEnumerationOrder::CommandFirst});
    ASSERT_TRUE(rig.StartUp());
    rig.Mouse().QueueEvent(1, 1);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(rig.Mouse().EventReadsStarted(), 0u);
    EXPECT_TRUE(rig.events.Events().empty());
}

TEST(DeviceReader, ANewInputInterfaceTakesOverWithoutDuplicates) {
    ReaderRig rig;
    ASSERT_TRUE(rig.StartUp());
    ASSERT_TRUE(Eventually([&] { return rig.Mouse().EventReadsStarted() == 1; }));
    ASSERT_EQ(rig.sim.link.FindDevice(), 1);
    // The old read is cancelled and a new one started on the new handle (perhaps twice: the
    // search also wakes the reader when it marks the mouse present).
    ASSERT_TRUE(Eventually([&] { return rig.Mouse().EventReadsStarted() >= 2; }));
    std::this_thread::sleep_for(10ms);
    rig.Mouse().QueueEvent(2, 2);
    ASSERT_TRUE(rig.events.WaitFor(1));
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(rig.events.Events(), (Events{{2, 2}}));
}

TEST(DeviceReader, StopsWhateverItIsDoing) {
    {
        ReaderRig neverStarted;
        neverStarted.reader.Stop();
        EXPECT_FALSE(neverStarted.reader.Started());
    }
    {
        ReaderRig noMouse;
        noMouse.Mouse().Unplug();
        noMouse.StartUp(/*resumeAnyway=*/true);
        noMouse.reader.Resume();  // a second resume changes nothing
        EXPECT_TRUE(noMouse.reader.Started());
        noMouse.reader.Stop();
    }
    {
        ReaderRig reading;
        ASSERT_TRUE(reading.StartUp());
        ASSERT_TRUE(Eventually([&] { return reading.Mouse().EventReadsStarted() == 1; }));
        reading.reader.RequestStop();
        // The destructor joins.
    }
    {
        // With the interfaces closed, as the main window's destruction leaves them.
        ReaderRig handler;
        ASSERT_TRUE(handler.StartUp());
        handler.sim.link.CloseHandles();
        handler.Mouse().QueueEvent(1, 1);
        handler.reader.Stop();
    }
}

TEST(DeviceReader, EventReportParsing) {
    const uint8_t event[] = {0x06, 0x07, 0x02, 0x05};
    const auto parsed = ParseEventReport(event, 4);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->code, 2);
    EXPECT_EQ(parsed->value, 5);
    EXPECT_FALSE(ParseEventReport(event, 0));
    EXPECT_FALSE(ParseEventReport(std::span<const uint8_t>(event, 1), 1));
    const auto shortBuffer = ParseEventReport(std::span<const uint8_t>(event, 2), 2);
    ASSERT_TRUE(shortBuffer);
    EXPECT_EQ(shortBuffer->code, 0);
}

}  // namespace
}  // namespace ventrio
