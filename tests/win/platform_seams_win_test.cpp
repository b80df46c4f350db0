// The Windows implementations of the platform seams, and the window framework's lifetime rules.
#include <gtest/gtest.h>

#include "platform/win/ansi_codec_win.h"
#include "platform/win/shell_win.h"
#include "skin/win/bitmap_btn.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

TEST(PlatformSeamsWin, TheShellReportsTheMachinesArchitectureNotTheProcesss) {
    Win32Shell shell;
    // Both builds run under a 64-bit Wine; the 32-bit one still sees the x64 machine.
    EXPECT_EQ(shell.NativeArchitecture(), kArchitectureX64);
    EXPECT_FALSE(shell.Launch(L"C:\\no such folder\\FwUpdate.exe"));
}

TEST(PlatformSeamsWin, TheSystemCodePageDecodesAndRefusesWhatItCannotHold) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the system code page is " << GetACP();
    }
    const SystemAnsiCodec codec;
    EXPECT_EQ(codec.Decode("Zur\xFC"
                           "ck \x80"),
              "Zurück €");
    EXPECT_EQ(codec.Encode("Zurück €"), std::optional<std::string>("Zur\xFC"
                                                                   "ck \x80"));
    EXPECT_EQ(codec.Encode("左键"), std::nullopt);
    EXPECT_EQ(codec.Encode("\xC4\x80"), std::nullopt);  // Ā has only a look-alike
}

TEST(WindowFrameworkWin, AnObjectAndItsWindowEndTogetherWhicheverGoesFirst) {
    test::HostWindow host;
    HWND first = nullptr;
    {
        CBitmapBtn button;
        ASSERT_TRUE(button.Create(host.Handle(), RECT{0, 0, 20, 20}, 1));
        first = button.Handle();
        EXPECT_EQ(Window::FromHandle(first), &button);
    }
    EXPECT_FALSE(IsWindow(first));

    CBitmapBtn button;
    ASSERT_TRUE(button.Create(host.Handle(), RECT{0, 0, 20, 20}, 2));
    HWND second = button.Handle();
    DestroyWindow(second);
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(Window::FromHandle(second), nullptr);
    // The object can make a new window afterwards.
    ASSERT_TRUE(button.Create(host.Handle(), RECT{0, 0, 20, 20}, 3));
    EXPECT_EQ(GetDlgCtrlID(button.Handle()), 3);
}

}  // namespace
}  // namespace ventrio
