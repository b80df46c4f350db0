// screenshot.exe: saves what a window (found by title and/or class) or the whole screen shows
// as a PNG file.
//
//   screenshot [--window TITLE] [--class CLASS] [--wait SECONDS] [--show] OUTPUT.png
//   screenshot --screen OUTPUT.png
//
// A visible window is taken from the screen. A hidden one is asked to print itself, which other
// processes' windows cannot do under Wine; --show instead shows it for the moment of the picture
// (without activating it) and hides it again.
//
// Exit codes: 0 saved, 1 usage, 2 no such window, 3 the picture could not be taken or saved.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>

#include "platform/win/screen_capture.h"
#include "platform/win/wide_text.h"

namespace {

// Time for a window shown from outside to paint itself.
constexpr DWORD kShowMilliseconds = 700;

struct Options {
    std::wstring title;
    std::wstring className;
    bool screen = false;
    bool show = false;
    double waitSeconds = 0;
    std::filesystem::path output;
};

int Usage() {
    std::fputs(
        "usage: screenshot [--window TITLE] [--class CLASS] [--wait SECONDS] [--show] OUT.png\n"
        "       screenshot --screen OUT.png\n",
        stderr);
    return 1;
}

bool Parse(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--window" && hasValue) {
            options.title = argv[++i];
        } else if (arg == L"--class" && hasValue) {
            options.className = argv[++i];
        } else if (arg == L"--wait" && hasValue) {
            options.waitSeconds = std::wcstod(argv[++i], nullptr);
        } else if (arg == L"--screen") {
            options.screen = true;
        } else if (arg == L"--show") {
            options.show = true;
        } else if (!arg.starts_with(L"--") && options.output.empty()) {
            options.output = arg;
        } else {
            return false;
        }
    }
    const bool window = !options.title.empty() || !options.className.empty();
    return !options.output.empty() && (options.screen != window);
}

HWND FindTarget(const Options& options) {
    const ULONGLONG deadline =
        GetTickCount64() + static_cast<ULONGLONG>(options.waitSeconds * 1000);
    for (;;) {
        HWND window = FindWindowW(options.className.empty() ? nullptr : options.className.c_str(),
                                  options.title.empty() ? nullptr : options.title.c_str());
        if (window != nullptr || GetTickCount64() >= deadline) {
            return window;
        }
        Sleep(100);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        return Usage();
    }
    ventrio::ScopedBitmap picture;
    if (options.screen) {
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        picture = ventrio::CaptureScreenRect(screen);
    } else {
        HWND window = FindTarget(options);
        if (window == nullptr) {
            std::fputs("screenshot: no such window\n", stderr);
            return 2;
        }
        if (options.show && !IsWindowVisible(window)) {
            // A window may hide itself again as it is shown (the main window does during its
            // first paints without a mouse); it is asked a few times.
            for (int attempt = 0; attempt < 3 && !IsWindowVisible(window); ++attempt) {
                ShowWindowAsync(window, SW_SHOWNOACTIVATE);
                Sleep(kShowMilliseconds);
            }
            RECT rect{};
            GetWindowRect(window, &rect);
            picture = ventrio::CaptureScreenRect(rect);
            ShowWindowAsync(window, SW_HIDE);
        } else {
            picture = ventrio::CaptureWindow(window);
        }
    }
    if (!picture || !ventrio::SaveBitmapAsPng(picture.Get(), options.output)) {
        std::fputs("screenshot: could not take or save the picture\n", stderr);
        return 3;
    }
    std::printf("%s\n", ventrio::Narrow(options.output.wstring()).c_str());
    return 0;
}
