// The bitmap button as a window: which image it shows, how it toggles and what its parent hears.
#include <gtest/gtest.h>

#include "platform/trace.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skin_image.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

using test::HostWindow;
using test::PumpMessages;
using test::SendMouse;

struct ButtonImages {
    ScopedBitmap normal = MakeBaseBitmap("\\skins\\button-mouse-normal.png");
    ScopedBitmap hover = MakeBaseBitmap("\\skins\\button-mouse-over.png");
    ScopedBitmap pressed = MakeBaseBitmap("\\skins\\button-mouse-leave.png");
    ScopedBitmap disabled = MakeBaseBitmap("\\skins\\button-save-leave.png");
};

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    WindowDc screen(nullptr);
    ScopedMemoryDc dc(CreateCompatibleDC(screen.Get()));
    SelectGuard select(dc.Get(), bitmap);
    return GetPixel(dc.Get(), x, y);
}

// A point where two looks differ, so the screen tells which one is shown.
POINT DifferingPixel(HBITMAP a, HBITMAP b, SIZE size) {
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (BitmapPixel(a, x, y) != BitmapPixel(b, x, y)) {
                return POINT{x, y};
            }
        }
    }
    return POINT{-1, -1};
}

COLORREF ShownPixel(HWND button, POINT at) {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);
    ClientToScreen(button, &at);
    return test::ScreenPixel(at.x, at.y);
}

TEST(SkinBitmapBtnWin, AToggleFlipsOnEveryReleaseShowsPressedWhileCheckedAndTellsItsParent) {
    HostWindow host;
    ButtonImages images;
    CBitmapBtn tab;
    ASSERT_TRUE(tab.Create(host.Handle(), RECT{20, 20, 82, 49}, 7));
    tab.SetImages(0, 0, 62, 29, images.normal.Get(), images.hover.Get(), images.pressed.Get(),
                  images.disabled.Get());
    tab.m_toggleMode = true;
    const POINT probe = DifferingPixel(images.normal.Get(), images.pressed.Get(), SIZE{62, 29});
    ASSERT_GE(probe.x, 0) << "the normal and pressed images are the same";
    const COLORREF normal = BitmapPixel(images.normal.Get(), probe.x, probe.y);
    const COLORREF pressed = BitmapPixel(images.pressed.Get(), probe.x, probe.y);
    EXPECT_EQ(ShownPixel(tab.Handle(), probe), normal);

    TraceCapture trace;
    for (int click = 1; click <= 3; ++click) {
        SendMouse(tab.Handle(), WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
        SendMouse(tab.Handle(), WM_LBUTTONUP, 10, 10);
        PumpMessages(20);
        const bool checked = click % 2 == 1;
        EXPECT_EQ(tab.m_checked, checked) << "click " << click;
        EXPECT_EQ(ShownPixel(tab.Handle(), probe), checked ? pressed : normal) << "click " << click;
        const auto commands = host.Messages(WM_COMMAND);
        ASSERT_EQ(commands.size(), static_cast<size_t>(click));
        EXPECT_EQ(LOWORD(commands.back().wParam), 7);
        EXPECT_EQ(HIWORD(commands.back().wParam), BN_CLICKED);
        EXPECT_EQ(commands.back().lParam, reinterpret_cast<LPARAM>(tab.Handle()));
        EXPECT_EQ(host.Messages(WM_LBUTTONUP).size(), static_cast<size_t>(click));
        EXPECT_NE(GetCapture(), tab.Handle()) << "a toggle keeps the capture after a click";
    }
    EXPECT_NE(trace.Text().find("CBitmapBtn::DrawItem Onpaint:memdc!=Null\n"), std::string::npos);
}

TEST(SkinBitmapBtnWin, HoverStartsAtTheHoverStartAndEndsWhenThePointerLeaves) {
    HostWindow host;
    ButtonImages images;
    CBitmapBtn button;
    ASSERT_TRUE(button.Create(host.Handle(), RECT{20, 20, 82, 49}, 0));
    button.SetImages(0, 0, 62, 29, images.normal.Get(), images.hover.Get(), images.pressed.Get(),
                     images.disabled.Get());
    button.m_hoverStart = 30;
    const POINT probe = DifferingPixel(images.normal.Get(), images.hover.Get(), SIZE{62, 29});
    ASSERT_GE(probe.x, 0);
    const COLORREF normal = BitmapPixel(images.normal.Get(), probe.x, probe.y);
    const COLORREF hover = BitmapPixel(images.hover.Get(), probe.x, probe.y);

    SendMouse(button.Handle(), WM_MOUSEMOVE, 10, 10);  // left of the hover start
    EXPECT_FALSE(button.IsHover());
    EXPECT_NE(GetCapture(), button.Handle());
    EXPECT_EQ(ShownPixel(button.Handle(), probe), normal);

    SendMouse(button.Handle(), WM_MOUSEMOVE, 40, 10);
    EXPECT_TRUE(button.IsHover());
    EXPECT_EQ(GetCapture(), button.Handle());
    EXPECT_EQ(ShownPixel(button.Handle(), probe), hover);

    // Every move reaches the parent in screen coordinates.
    PumpMessages(20);
    const auto moves = host.Messages(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    POINT screen{40, 10};
    ClientToScreen(button.Handle(), &screen);
    EXPECT_EQ(LOWORD(moves.back().lParam), screen.x);
    EXPECT_EQ(HIWORD(moves.back().lParam), screen.y);

    SendMouse(button.Handle(), WM_MOUSEMOVE, 200, 10);  // over the host now
    EXPECT_FALSE(button.IsHover());
    EXPECT_NE(GetCapture(), button.Handle());
    EXPECT_EQ(ShownPixel(button.Handle(), probe), normal);
}

TEST(SkinBitmapBtnWin, ScreenshotOfEveryLook) {
    HostWindow host(SIZE{420, 120});
    ButtonImages images;
    const char* captions[] = {"Normal", "Hover", "Checked", "Disabled",
                              "A caption far too long for its button"};
    CBitmapBtn buttons[5];
    for (int i = 0; i < 5; ++i) {
        const int left = 10 + 80 * i;
        ASSERT_TRUE(buttons[i].Create(host.Handle(), RECT{left, 40, left + 62, 69}, 0));
        buttons[i].SetImages(0, 0, 62, 29, images.normal.Get(), images.hover.Get(),
                             images.pressed.Get(), images.disabled.Get());
        buttons[i].m_faceName = "Arial";
        buttons[i].m_fontHeight = 13;
        buttons[i].m_alignment = 0;
        buttons[i].SetCaption(captions[i]);
    }
    buttons[2].m_toggleMode = true;
    buttons[2].m_checked = true;
    EnableWindow(buttons[3].Handle(), FALSE);
    SendMouse(buttons[1].Handle(), WM_MOUSEMOVE, 30, 10);
    ASSERT_TRUE(buttons[1].IsHover());
    EXPECT_FALSE(test::SaveScreenshot(host.Handle(), "bitmap-buttons").empty());
}

}  // namespace
}  // namespace ventrio
