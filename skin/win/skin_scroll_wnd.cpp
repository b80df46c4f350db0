#include "skin/win/skin_scroll_wnd.h"

#include <commctrl.h>

#include "platform/win/handles.h"
#include "platform/win/private_messages.h"
#include "skin/win/skin_image.h"
#include "skin/win/skin_paint.h"

namespace ventrio {
namespace {

constexpr wchar_t kFrameClass[] = L"VentrioSkinScrollFrame";
constexpr wchar_t kLimiterClass[] = L"VentrioSkinScrollLimiter";
constexpr wchar_t kFrameProperty[] = L"SkinScrollBarFrame";
constexpr UINT_PTR kWrappedSubclassId = 0x53435257;
constexpr UINT kSyncMilliseconds = 500;
constexpr int kCornerColumn = 8;

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SCROLLINFO ScrollInfoRequest() {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    return info;
}

void Place(HWND window, const PixelRect& rect) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool CSkinScrollWnd::Limiter::Create(HWND frame, const RECT& rect, HWND notifyTarget) {
    m_notifyTarget = notifyTarget;
    return RegisterWindowClass(kLimiterClass) &&
           CreateOfClass(kLimiterClass, L"LIMIT", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, rect,
                         frame, kLimiterId);
}

MessageResult CSkinScrollWnd::Limiter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_COMPAREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR:
            if (m_notifyTarget != nullptr) {
                return SendMessageW(m_notifyTarget, message, wParam, lParam);
            }
            break;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

CSkinScrollWnd::~CSkinScrollWnd() {
    Destroy();
}

bool CSkinScrollWnd::AttachSkinScroll(HWND window, HBITMAP skin) {
    const SIZE skinSize = BitmapSize(skin);
    if (window == nullptr || Handle() != nullptr || skinSize.cx / 9 <= 0) {
        return false;
    }
    m_skin = skin;
    m_partSize = skinSize.cx / 9;
    HWND parent = GetParent(window);
    const RECT rect = RectInParent(window);

    // The frame takes over the window's border and sunken edge.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const DWORD frameStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                             static_cast<DWORD>(style & (WS_BORDER | WS_VISIBLE));
    const DWORD frameExStyle = static_cast<DWORD>(exStyle & WS_EX_CLIENTEDGE);
    if (!RegisterWindowClass(kFrameClass) ||
        !CreateOfClass(kFrameClass, L"SkinScrollBarFrame", frameStyle, frameExStyle, rect, parent,
                       static_cast<UINT_PTR>(GetDlgCtrlID(window)))) {
        return false;
    }
    SetWindowLongPtrW(window, GWL_STYLE, style & ~WS_BORDER);
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~WS_EX_CLIENTEDGE);
    // The frame stands where the window stood in the sibling order.
    SetWindowPos(Handle(), window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    RECT client{};
    GetClientRect(Handle(), &client);
    if (!m_limiter.Create(Handle(), client, parent) ||
        !m_horizontal.Create(Handle(), RECT{0, 0, client.right, m_partSize}, kHorizontalBarId,
                             SBS_HORZ) ||
        !m_vertical.Create(Handle(), RECT{0, 0, m_partSize, client.bottom}, kVerticalBarId,
                           SBS_VERT)) {
        SetWindowLongPtrW(window, GWL_STYLE, style);
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
        Destroy();
        return false;
    }
    m_horizontal.SetSkinBitmap(skin);
    m_vertical.SetSkinBitmap(skin);

    m_wrapped = window;
    m_previousParent = parent;
    SetParent(window, m_limiter.Handle());
    SetPropW(window, kFrameProperty, Handle());
    SetWindowSubclass(window, &CSkinScrollWnd::WrappedProcedure, kWrappedSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    // Recomputing the window's frame reports its scroll bars and lays everything out.
    SetWindowPos(window, nullptr, 0, 0, client.right, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Layout();
    SyncBars(false);
    SetTimer(Handle(), kSyncTimer, kSyncMilliseconds, nullptr);
    return true;
}

void CSkinScrollWnd::Release() {
    if (m_wrapped == nullptr) {
        return;
    }
    RemoveWindowSubclass(m_wrapped, &CSkinScrollWnd::WrappedProcedure, kWrappedSubclassId);
    RemovePropW(m_wrapped, kFrameProperty);
    m_wrapped = nullptr;
}

LRESULT CALLBACK CSkinScrollWnd::WrappedProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* frame = reinterpret_cast<CSkinScrollWnd*>(data);
    // The window's own procedure always runs first.
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (frame->m_forwarding) {
        return result;
    }
    switch (message) {
        case WM_ERASEBKGND:
            frame->SyncBars(false);
            break;
        case WM_NCCALCSIZE: {
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
            const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
            PostMessageW(frame->Handle(), WM_SCROLL_FRAME_UPDATE, (style & WS_VSCROLL) != 0,
                         (exStyle & WS_EX_LEFTSCROLLBAR) != 0);
            break;
        }
        case WM_NCDESTROY:
            // The window goes and takes its frame along, once the window is gone.
            frame->Release();
            PostMessageW(frame->Handle(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
    return result;
}

void CSkinScrollWnd::Layout() {
    if (m_wrapped == nullptr) {
        return;
    }
    const SIZE client = ClientSize(Handle());
    const LONG_PTR style = GetWindowLongPtrW(m_wrapped, GWL_STYLE);
    ScrollFrameInput in;
    in.width = client.cx;
    in.height = client.cy;
    in.partSize = m_partSize;
    in.vertical = (style & WS_VSCROLL) != 0;
    in.horizontal = (style & WS_HSCROLL) != 0;
    in.leftBars = (GetWindowLongPtrW(m_wrapped, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    in.ownBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    in.ownBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    const ScrollFrameLayout layout = LayoutScrollFrame(in);

    Place(m_limiter.Handle(), layout.limiter);
    RECT current{};
    GetWindowRect(m_wrapped, &current);
    MapWindowPoints(nullptr, m_limiter.Handle(), reinterpret_cast<POINT*>(&current), 2);
    if (current.left != layout.window.left || current.top != layout.window.top ||
        current.right != layout.window.right || current.bottom != layout.window.bottom) {
        Place(m_wrapped, layout.window);
    }
    if (in.vertical) {
        Place(m_vertical.Handle(), layout.verticalBar);
    }
    if (in.horizontal) {
        Place(m_horizontal.Handle(), layout.horizontalBar);
    }
    ShowWindow(m_vertical.Handle(), in.vertical ? SW_SHOWNA : SW_HIDE);
    ShowWindow(m_horizontal.Handle(), in.horizontal ? SW_SHOWNA : SW_HIDE);
    m_corner = layout.cornerMode;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinScrollWnd::SyncBar(CSkinScrollBar& bar, int which, bool skipWhileDragging) {
    if (skipWhileDragging && bar.IsDragging()) {
        return;
    }
    SCROLLINFO own = ScrollInfoRequest();
    if (!GetScrollInfo(m_wrapped, which, &own)) {
        return;
    }
    const ScrollState& shown = bar.State();
    if (own.nMin != shown.minimum || own.nMax != shown.maximum ||
        static_cast<int>(own.nPage) != shown.page || own.nPos != shown.position) {
        SendMessageW(bar.Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&own));
        EnableWindow(bar.Handle(), own.nMax >= static_cast<int>(own.nPage));
    }
}

void CSkinScrollWnd::SyncBars(bool skipWhileDragging) {
    if (m_wrapped == nullptr) {
        return;
    }
    const LONG_PTR style = GetWindowLongPtrW(m_wrapped, GWL_STYLE);
    if ((style & WS_VSCROLL) != 0) {
        SyncBar(m_vertical, SB_VERT, skipWhileDragging);
    }
    if ((style & WS_HSCROLL) != 0) {
        SyncBar(m_horizontal, SB_HORZ, false);
    }
}

void CSkinScrollWnd::ForwardScroll(UINT message, int code, int position, CSkinScrollBar& bar) {
    if (m_wrapped == nullptr) {
        return;
    }
    m_forwarding = true;
    SendMessageW(m_wrapped, message,
                 MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position)), 0);
    m_forwarding = false;
    if (code != SB_THUMBTRACK) {
        SCROLLINFO own = ScrollInfoRequest();
        if (GetScrollInfo(m_wrapped, message == WM_VSCROLL ? SB_VERT : SB_HORZ, &own)) {
            SendMessageW(bar.Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&own));
        }
    }
}

MessageResult CSkinScrollWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SCROLL_FRAME_UPDATE) {
        Layout();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

bool CSkinScrollWnd::OnVScroll(int code, int position, HWND bar) {
    if (bar != m_vertical.Handle()) {
        return false;
    }
    ForwardScroll(WM_VSCROLL, code, position, m_vertical);
    return true;
}

bool CSkinScrollWnd::OnHScroll(int code, int position, HWND bar) {
    if (bar != m_horizontal.Handle()) {
        return false;
    }
    ForwardScroll(WM_HSCROLL, code, position, m_horizontal);
    return true;
}

bool CSkinScrollWnd::OnTimer(UINT_PTR id) {
    if (id != kSyncTimer) {
        return false;
    }
    SyncBars(true);
    return true;
}

bool CSkinScrollWnd::OnSize(UINT, int, int) {
    Layout();
    return false;
}

bool CSkinScrollWnd::OnDestroy() {
    KillTimer(Handle(), kSyncTimer);
    Release();
    return false;
}

void CSkinScrollWnd::PaintTo(HDC target) {
    if (m_corner == CornerMode::None || m_skin == nullptr) {
        return;
    }
    const SIZE client = ClientSize(Handle());
    const int w = m_partSize;
    ScopedMemoryDc skin(CreateCompatibleDC(target));
    if (!skin) {
        return;
    }
    SelectGuard select(skin.Get(), m_skin);
    const int x = m_corner == CornerMode::Right ? client.cx - w : 0;
    const int sourceY = m_corner == CornerMode::Right ? 0 : w;
    BitBlt(target, x, client.cy - w, w, w, skin.Get(), kCornerColumn * w, sourceY, SRCCOPY);
}

bool CSkinScrollWnd::OnPaint() {
    PaintScope paint(Handle());
    PaintTo(paint.Dc());
    return true;
}

bool CSkinScrollWnd::OnPrintClient(HDC dc) {
    PaintTo(dc);
    return true;
}

}  // namespace ventrio
