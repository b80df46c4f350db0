#include "tests/win/win_test_support.h"

#include "platform/files.h"
#include "platform/win/handles.h"
#include "platform/win/screen_capture.h"
#include "skin/win/ex_menu.h"

namespace ventrio::test {
namespace {

constexpr wchar_t kHostClass[] = L"VentrioTestHost";

// Messages children send their parent that the tests look at.
bool Recorded(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            return true;
        default:
            return message >= WM_USER;
    }
}

}  // namespace

void PumpMessages(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!PreTranslateThroughParents(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout) {
    const ULONGLONG end = GetTickCount64() + timeout;
    while (!done()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        PumpMessages(10);
    }
    return true;
}

HostWindow::HostWindow(SIZE size, COLORREF background)
    : m_background(CreateSolidBrush(background)) {
    RegisterWindowClass(kHostClass);
    RECT rect{60, 60, 60 + size.cx, 60 + size.cy};
    CreateOfClass(kHostClass, L"Ventrio test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                  rect, nullptr, 0);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
    PumpMessages(20);
}

HostWindow::~HostWindow() {
    Destroy();
    DeleteObject(m_background);
}

std::vector<HostWindow::Received> HostWindow::Messages(UINT message) const {
    std::vector<Received> found;
    for (const Received& received : m_received) {
        if (received.message == message) {
            found.push_back(received);
        }
    }
    return found;
}

MessageResult HostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Recorded(message)) {
        m_received.push_back({message, wParam, lParam});
    }
    if (message == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_background);
        return 1;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

bool HostWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    return CExMenu::RouteMeasureItem(item);
}

bool HostWindow::OnDrawItem(DRAWITEMSTRUCT& item) {
    return CExMenu::RouteDrawItem(item);
}

std::filesystem::path ScreenshotFolder() {
    const std::filesystem::path folder = ExecutableFolder().parent_path() / L"screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::filesystem::path SaveScreenshot(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages(50);
    const std::filesystem::path file = ScreenshotFolder() / (name + ".png");
    const ScopedBitmap picture = CaptureWindow(window);
    return SaveBitmapAsPng(picture.Get(), file) ? file : std::filesystem::path();
}

LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    return SendMessageW(window, message, keys,
                        MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

COLORREF ScreenPixel(int x, int y) {
    WindowDc screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

}  // namespace ventrio::test
