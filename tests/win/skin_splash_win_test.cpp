// The splash window ignores the user and closes by its timer alone.
#include <gtest/gtest.h>

#include "skin/win/dlg_splash.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

struct SplashProbe {
    CDlgSplash* splash = nullptr;
    int ticks = 0;
    SIZE size{};
    bool centred = false;
    std::filesystem::path screenshot;
};
SplashProbe g_splash;

// Every tick presses keys and buttons on the splash, as an impatient user would.
void CALLBACK Pester(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = g_splash.splash->Handle();
    if (window == nullptr) {
        return;
    }
    ++g_splash.ticks;
    if (g_splash.ticks == 5) {
        RECT rect{};
        GetWindowRect(window, &rect);
        g_splash.size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        g_splash.centred = std::abs((rect.left + rect.right) / 2 - screenWidth / 2) <= 1;
        g_splash.screenshot = test::SaveScreenshot(window, "splash");
    }
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(window, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
    PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

TEST(SkinSplashWin, ClosesOnlyByItsTimerAfterThreeSeconds) {
    CDlgSplash splash;
    g_splash = SplashProbe();
    g_splash.splash = &splash;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &Pester);
    const ULONGLONG started = GetTickCount64();
    const INT_PTR result = splash.DoModal(nullptr);
    const ULONGLONG elapsed = GetTickCount64() - started;
    KillTimer(nullptr, timer);

    EXPECT_EQ(result, IDCANCEL);
    EXPECT_GE(elapsed, 2950u) << "a key or a click closed the splash";
    // Closing may take a while longer where hiding a window waits for the window manager.
    EXPECT_LT(elapsed, 8000u);
    EXPECT_GE(g_splash.ticks, 20);
    EXPECT_EQ(g_splash.size.cx, CDlgSplash::kWidth);
    EXPECT_EQ(g_splash.size.cy, CDlgSplash::kHeight);
    EXPECT_TRUE(g_splash.centred);
    EXPECT_FALSE(g_splash.screenshot.empty());
    EXPECT_EQ(splash.Handle(), nullptr);
}

}  // namespace
}  // namespace ventrio
