// ventrio_win_bench.exe: how long the main window takes for one full double-buffered repaint
// (every skin image decoded again, drawn off screen and copied in one block), under Wine or
// Windows. Prints the statistics of several rounds of repaints.
//
//   ventrio_win_bench [ROUNDS] [REPAINTS-PER-ROUND]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <numeric>
#include <vector>

#include "app/win/ventrio_dlg.h"
#include "config/config_files.h"
#include "platform/files.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    const int repaints = argc > 2 ? std::max(1, _wtoi(argv[2])) : 40;

    ventrio::ConfigState config;
    ventrio::ConfigFiles files(config, ventrio::ExecutableFolder());
    ventrio::Localisation localisation;
    ventrio::RecordingShell shell;
    // The simulated mouse keeps the window from hiding itself, which would stop its painting.
    ventrio::SimHidBackend hid(std::make_shared<ventrio::SimulatedMouse>());
    ventrio::FakeClock clock;
    ventrio::DeviceLink link(hid, clock);
    ventrio::CVentrioDlg dialog(config, files, localisation, shell, link);
    if (!dialog.Create(nullptr)) {
        std::fputs("the main window could not be created\n", stderr);
        return 1;
    }
    HWND window = dialog.Handle();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    Pump();

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> perRepaint;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < repaints; ++i) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        QueryPerformanceCounter(&end);
        perRepaint.push_back(Milliseconds(start, end, frequency) / repaints);
        Pump();
    }
    std::sort(perRepaint.begin(), perRepaint.end());
    const double mean =
        std::accumulate(perRepaint.begin(), perRepaint.end(), 0.0) / perRepaint.size();
    RECT client{};
    GetClientRect(window, &client);
    std::printf("main window full repaint (%ldx%ld pixels, %d rounds of %d repaints)\n",
                client.right, client.bottom, rounds, repaints);
    std::printf("  min %.2f ms   median %.2f ms   mean %.2f ms   max %.2f ms\n", perRepaint.front(),
                perRepaint[perRepaint.size() / 2], mean, perRepaint.back());
    return 0;
}
