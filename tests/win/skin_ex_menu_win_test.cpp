// The owner-drawn menu and the frame painter on a real popup menu.
#include <gtest/gtest.h>

#include <string>

#include "platform/win/handles.h"
#include "skin/win/ex_menu.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

// What the timer saw while the menu was open.
struct MenuProbe {
    int ticks = 0;
    HWND menuWindow = nullptr;
    bool painterWhileShown = false;
    COLORREF itemPixel = CLR_INVALID;
    COLORREF framePixel = CLR_INVALID;
    COLORREF selectedPixel = CLR_INVALID;
    std::filesystem::path screenshot;
};
MenuProbe g_probe;

HWND FindMenuWindow() {
    HWND window = FindWindowW(L"#32768", nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

void CALLBACK ProbeMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ++g_probe.ticks;
    HWND menu = FindMenuWindow();
    if (menu != nullptr && g_probe.menuWindow == nullptr) {
        g_probe.menuWindow = menu;
        g_probe.painterWhileShown = MenuWindowHasFramePainter(menu);
        RECT rect{};
        GetWindowRect(menu, &rect);
        g_probe.itemPixel = test::ScreenPixel(rect.left + 60, rect.top + 30);  // second item
        g_probe.framePixel = test::ScreenPixel(rect.left, rect.top + 30);
        // Select the first item, as the arrow key would.
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        return;
    }
    if (menu != nullptr && g_probe.screenshot.empty()) {
        RECT rect{};
        GetWindowRect(menu, &rect);
        g_probe.selectedPixel = test::ScreenPixel(rect.left + 60, rect.top + 10);
        g_probe.screenshot = test::SaveScreenshot(menu, "menu");
        EndMenu();
    }
    if (g_probe.ticks > 40) {
        EndMenu();
        KillTimer(nullptr, timer);
    }
}

TEST(SkinExMenuWin, OwnerDrawnItemsInTheSkinColoursInsideThePaintedFrame) {
    ASSERT_TRUE(InstallMenuFrameHook());
    test::HostWindow host;
    CExMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    for (int i = 0; i < 3; ++i) {
        sub.AppendItem(2050 + i, "Media " + std::to_string(i + 1));
    }
    sub.m_itemWidth = 100;
    CExMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const char* labels[] = {"Click", "Menu", "Scroll ", "Forward", "Back"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(menu.AppendItem(2001 + i, labels[i]));
    }
    ASSERT_TRUE(menu.AppendItem(kMenuSeparator, ""));
    ASSERT_TRUE(menu.AppendItem(0, "Multimedia Commands +", sub.Handle()));
    menu.m_itemWidth = 120;

    g_probe = MenuProbe();
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, &ProbeMenu);
    const BOOL chosen = TrackPopupMenu(menu.Handle(), TPM_RETURNCMD | TPM_LEFTALIGN, 100, 100, 0,
                                       host.Handle(), nullptr);
    KillTimer(nullptr, timer);
    test::PumpMessages(50);

    EXPECT_EQ(chosen, 0);
    ASSERT_NE(g_probe.menuWindow, nullptr) << "no menu window appeared";
    EXPECT_TRUE(g_probe.painterWhileShown);
    // Hiding the menu takes the painter off its window again.
    EXPECT_FALSE(MenuWindowHasFramePainter(g_probe.menuWindow));
    // Five items of 20 pixels, a separator of 5, the sub-menu item of 20.
    EXPECT_EQ(menu.TotalHeight(), 125);
    EXPECT_EQ(g_probe.itemPixel, menu.m_normalBackground);
    EXPECT_EQ(g_probe.framePixel, RGB(0x8F, 0x20, 0x20));  // the frame's outer line
    EXPECT_EQ(g_probe.selectedPixel, menu.m_selectedBackground);
    EXPECT_FALSE(g_probe.screenshot.empty());
}

}  // namespace
}  // namespace ventrio
