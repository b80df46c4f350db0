#include "skin/win/dlg_splash.h"

#include "skin/win/skin_image.h"

namespace ventrio {

void ShowSplashWindow(HWND owner) {
    CDlgSplash splash;
    splash.DoModal(owner);
}

bool CDlgSplash::OnInitDialog() {
    m_base = MakeBaseBitmap("Skins\\splash.png");
    SetWindowPos(Handle(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(Handle());
    SetTimer(Handle(), kTimerId, kShowMilliseconds, nullptr);
    return true;
}

void CDlgSplash::PaintTo(HDC target) {
    if (!m_base) {
        return;
    }
    ScopedMemoryDc memory(CreateCompatibleDC(target));
    if (!memory) {
        return;
    }
    SelectGuard select(memory.Get(), m_base.Get());
    BitBlt(target, 0, 0, kWidth, kHeight, memory.Get(), 0, 0, SRCCOPY);
}

bool CDlgSplash::OnPaint() {
    PaintScope paint(Handle());
    PaintTo(paint.Dc());
    return true;
}

bool CDlgSplash::OnPrintClient(HDC dc) {
    PaintTo(dc);
    return true;
}

bool CDlgSplash::OnTimer(UINT_PTR id) {
    if (id != kTimerId) {
        return false;
    }
    KillTimer(Handle(), kTimerId);
    EndDialog(IDCANCEL);
    return true;
}

bool CDlgSplash::PreTranslateMessage(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

}  // namespace ventrio
