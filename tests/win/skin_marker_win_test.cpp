// The slider markers as windows: what the owner hears, and how they look.
#include <gtest/gtest.h>

#include "platform/win/private_messages.h"
#include "skin/win/marker.h"
#include "skin/win/skin_image.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

using test::HostWindow;
using test::PumpMessages;
using test::SendMouse;

TEST(SkinMarkerWin, TheOwnerHearsTheValueOnlyWhenTheButtonIsReleased) {
    HostWindow host;
    const ScopedBitmap track = MakeBaseBitmap("Skins\\StageSlider\\1.png");
    const ScopedBitmap fill = MakeBaseBitmap("Skins\\StageSlider\\10.png");
    CDMarker marker;
    ASSERT_TRUE(marker.CreateMarker(RECT{37, 40, 245, 49}, host.Handle(), 2025));
    marker.m_minimum = 1;
    marker.m_maximum = 11;
    marker.SetImages(0, 0, 208, 9, track.Get(), fill.Get());

    marker.SetPos(3);
    EXPECT_EQ(marker.GetPos(), 3);
    marker.SetPos(12);  // outside the range: the minimum
    EXPECT_EQ(marker.GetPos(), 1);

    HWND window = marker.Handle();
    SendMouse(window, WM_LBUTTONDOWN, 10, 4, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), window);
    SendMouse(window, WM_MOUSEMOVE, 104, 4, MK_LBUTTON);  // 1 + 10 * 104 / 208
    EXPECT_EQ(marker.GetPos(), 6);
    SendMouse(window, WM_MOUSEMOVE, 400, 4, MK_LBUTTON);  // dragged past the end
    EXPECT_EQ(marker.GetPos(), 11);
    PumpMessages(50);
    EXPECT_TRUE(host.Messages(WM_MARKER_POS).empty()) << "the owner heard a value while dragging";

    SendMouse(window, WM_LBUTTONUP, 104, 4);
    PumpMessages(50);
    auto heard = host.Messages(WM_MARKER_POS);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].wParam, 6u);
    EXPECT_EQ(heard[0].lParam, 2025);
    EXPECT_NE(GetCapture(), window);

    // A release over the marker after a press elsewhere still moves it and tells the owner.
    host.Clear();
    SendMouse(window, WM_LBUTTONUP, -30, 4);
    PumpMessages(50);
    heard = host.Messages(WM_MARKER_POS);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].wParam, 1u);
}

// Horizontal markers over the axis range and vertical ones over the DPI range, at the ends and in
// between; the fill is complete one step before the maximum.
TEST(SkinMarkerWin, ScreenshotOfMarkersAcrossTheirRange) {
    HostWindow host(SIZE{300, 240});
    const ScopedBitmap track = MakeBaseBitmap("Skins\\StageSlider\\1.png");
    const ScopedBitmap fill = MakeBaseBitmap("Skins\\StageSlider\\10.png");
    const ScopedBitmap stageTrack = MakeBaseBitmap("skins/DPISetting/DPIStage/0.png");
    const ScopedBitmap stageFill = MakeBaseBitmap("skins/DPISetting/DPIStage/82.png");
    ASSERT_TRUE(track && fill && stageTrack && stageFill);

    const int axisValues[] = {1, 6, 10, 11};
    CDMarker axis[4];
    for (int i = 0; i < 4; ++i) {
        const int top = 20 + 25 * i;
        ASSERT_TRUE(axis[i].CreateMarker(RECT{20, top, 228, top + 9}, host.Handle(), 2025));
        axis[i].m_minimum = 1;
        axis[i].m_maximum = 11;
        axis[i].SetImages(0, 0, 208, 9, track.Get(), fill.Get());
        axis[i].SetPos(axisValues[i]);
    }
    const int stageValues[] = {1, 108, 215, 216};
    CDMarkerV stages[4];
    for (int i = 0; i < 4; ++i) {
        const int left = 240 + 14 * i;
        ASSERT_TRUE(stages[i].CreateMarker(RECT{left, 30, left + 7, 199}, host.Handle(), 700));
        stages[i].m_minimum = 1;
        stages[i].m_maximum = 216;
        stages[i].SetImages(0, 0, 7, 169, stageTrack.Get(), stageFill.Get());
        stages[i].SetPos(stageValues[i]);
    }
    // The vertical fill rises from the bottom: at 108 the lower part of the track shows the fill
    // and the upper part the empty track, like the empty marker at 1.
    PumpMessages(50);
    RECT half{};
    GetWindowRect(stages[1].Handle(), &half);
    RECT empty{};
    GetWindowRect(stages[0].Handle(), &empty);
    EXPECT_NE(test::ScreenPixel(half.left + 3, half.bottom - 10),
              test::ScreenPixel(empty.left + 3, empty.bottom - 10));
    EXPECT_EQ(test::ScreenPixel(half.left + 3, half.top + 10),
              test::ScreenPixel(empty.left + 3, empty.top + 10));

    EXPECT_FALSE(test::SaveScreenshot(host.Handle(), "markers").empty());
}

}  // namespace
}  // namespace ventrio
