// The Windows pointer settings handed over from the record.
#include <gtest/gtest.h>

#include "platform/pointer_settings.h"
#include "platform/trace.h"

namespace ventrio {
namespace {

TEST(PointerSettings, ConversionsFromTheRecord) {
    struct Case {
        uint8_t enhance, pageScroll, speed, lines, doubleClick;
        PointerSettings expected;
    };
    const Case cases[] = {
        {1, 0, 1, 3, 1, {{6, 10, 1}, 1, 3, 900}},
        {0, 0, 2, 100, 6, {{0, 0, 0}, 2, 100, 550}},
        {2, 1, 11, 3, 11, {{0, 0, 0}, 20, kWheelPageScroll, 200}},
        {1, 7, 6, 0, 2, {{6, 10, 1}, 10, kWheelPageScroll, 830}},
        // Levels outside the panels' ranges are passed on as computed; the system judges them.
        {1, 0, 0, 1, 0, {{6, 10, 1}, static_cast<uint32_t>(-2), 1, 970}},
    };
    for (const Case& c : cases) {
        ConfigRecord record;
        record[rec::kEnhancePrecision] = c.enhance;
        record[rec::kPageScroll] = c.pageScroll;
        record[rec::kPointerSpeed] = c.speed;
        record[rec::kScrollLines] = c.lines;
        record[rec::kDoubleClickSpeed] = c.doubleClick;
        EXPECT_EQ(PointerSettingsFromRecord(record), c.expected) << int(c.speed);

        RecordingPointerSettings system;
        ApplyPointerSettings(record, system);
        EXPECT_EQ(system.Settings(), c.expected);
    }
}

TEST(PointerSettings, EveryFailureIsTracedAndTheRestStillApplied) {
    using Call = RecordingPointerSettings::Call;
    const std::vector<Call> order = {Call::SetMouse, Call::SetMouseSpeed, Call::SetWheelScrollLines,
                                     Call::SetDoubleClickTime};
    const char* traces[] = {"SETMOUSE failed.\n", "SETMOUSESPEED failed.\n",
                            "SETWHEELSCROLLLINES failed.\n", "SPI_SETDOUBLECLICKTIME failed.\n"};
    for (size_t failing = 0; failing < order.size(); ++failing) {
        RecordingPointerSettings system;
        system.Fail(order[failing]);
        TraceCapture trace;
        ApplyPointerSettings(ConfigRecord{}, system);
        EXPECT_EQ(system.Calls(), order);
        EXPECT_EQ(trace.Text(), traces[failing]);
    }
    RecordingPointerSettings all;
    for (const Call call : order) {
        all.Fail(call);
    }
    TraceCapture trace;
    ApplyPointerSettings(ConfigRecord{}, all);
    EXPECT_EQ(trace.Text(), std::string(traces[0]) + traces[1] + traces[2] + traces[3]);
}

}  // namespace
}  // namespace ventrio
