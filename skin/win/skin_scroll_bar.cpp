#include "skin/win/skin_scroll_bar.h"

#include "platform/win/handles.h"
#include "skin/win/skin_image.h"
#include "skin/win/skin_paint.h"

namespace ventrio {
namespace {

constexpr wchar_t kScrollBarClass[] = L"VentrioSkinScrollBar";
constexpr int kColumns = 9;
constexpr int kRows = 3;
constexpr UINT kRepeatDelay = 500;
constexpr UINT kRepeatInterval = 100;

enum Row { kNormal = 0, kHover = 1, kPressed = 2 };

// Source columns of the skin: vertical parts first, the horizontal ones four further on.
int Column(ScrollPart part, bool vertical) {
    int column = 3;  // track
    switch (part) {
        case ScrollPart::LineUp:
            column = 0;
            break;
        case ScrollPart::LineDown:
            column = 1;
            break;
        case ScrollPart::Thumb:
            column = 2;
            break;
        case ScrollPart::PageUp:
        case ScrollPart::PageDown:
        case ScrollPart::None:
            break;
    }
    return vertical ? column : column + 4;
}

}  // namespace

bool CSkinScrollBar::Create(HWND parent, const RECT& rect, UINT id, DWORD style) {
    return RegisterWindowClass(kScrollBarClass) &&
           CreateOfClass(kScrollBarClass, L"", WS_CHILD | style, 0, rect, parent, id);
}

bool CSkinScrollBar::IsVertical() const {
    return (GetWindowLongPtrW(Handle(), GWL_STYLE) & SBS_VERT) != 0;
}

void CSkinScrollBar::SetSkinBitmap(HBITMAP skin) {
    m_skin = skin;
    const SIZE size = BitmapSize(skin);
    m_partSize = size.cx / kColumns;
    m_cellHeight = size.cy / kRows;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
    const int width = IsVertical() ? m_partSize : rect.right - rect.left;
    const int height = IsVertical() ? rect.bottom - rect.top : m_partSize;
    SetWindowPos(Handle(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
}

int CSkinScrollBar::Length() const {
    const SIZE size = ClientSize(Handle());
    return IsVertical() ? size.cy : size.cx;
}

ScrollPart CSkinScrollBar::HitTest(int at) const {
    return HitTestScrollBar(Length(), m_partSize, m_state, at);
}

LRESULT CSkinScrollBar::SetInfo(const SCROLLINFO& info, bool redraw) {
    if ((info.fMask & SIF_RANGE) != 0) {
        m_state.minimum = info.nMin;
        m_state.maximum = info.nMax;
    }
    if ((info.fMask & SIF_PAGE) != 0) {
        m_state.page = static_cast<int>(info.nPage);
    }
    if ((info.fMask & SIF_POS) != 0) {
        m_state.position = info.nPos;
    }
    if (redraw) {
        Repaint();
    }
    return m_state.position;
}

void CSkinScrollBar::GetInfo(SCROLLINFO& info) const {
    if ((info.fMask & SIF_RANGE) != 0) {
        info.nMin = m_state.minimum;
        info.nMax = m_state.maximum;
    }
    if ((info.fMask & SIF_PAGE) != 0) {
        info.nPage = static_cast<UINT>(m_state.page);
    }
    if ((info.fMask & SIF_POS) != 0) {
        info.nPos = m_state.position;
    }
    if ((info.fMask & SIF_TRACKPOS) != 0) {
        info.nTrackPos = m_state.trackPosition;
    }
}

MessageResult CSkinScrollBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SBM_SETSCROLLINFO:
            if (lParam == 0) {
                return 0;
            }
            return SetInfo(*reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
        case SBM_GETSCROLLINFO:
            if (lParam == 0) {
                return FALSE;
            }
            GetInfo(*reinterpret_cast<SCROLLINFO*>(lParam));
            return TRUE;
        case WM_LBUTTONDBLCLK:
            return 0;
        default:
            return Window::HandleMessage(message, wParam, lParam);
    }
}

void CSkinScrollBar::SendScrollCode(int code, int position) {
    const UINT message = IsVertical() ? WM_VSCROLL : WM_HSCROLL;
    SendMessageW(GetParent(Handle()), message,
                 MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(Handle()));
}

void CSkinScrollBar::SendScroll(ScrollPart part, int position) {
    SendScrollCode(static_cast<int>(part), position);
}

void CSkinScrollBar::Repaint() {
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

bool CSkinScrollBar::OnLButtonDown(UINT, POINT point) {
    SetCapture(Handle());
    const int at = Along(point);
    m_lastPointer = at;
    const ScrollPart part = HitTest(at);
    if (part == ScrollPart::Thumb) {
        m_dragPoint = at;
        m_dragging = true;
        m_state.trackPosition = m_dragStart = m_state.position;
        Repaint();
    } else if (part != ScrollPart::None) {
        m_pressed = part;
        m_outside = false;
        m_repeating = false;
        SendScroll(part);
        SetTimer(Handle(), kDelayTimer, kRepeatDelay, nullptr);
        Repaint();
    }
    return true;
}

void CSkinScrollBar::StopRepeating() {
    KillTimer(Handle(), kRepeatTimer);
    KillTimer(Handle(), kDelayTimer);
    m_repeating = false;
}

bool CSkinScrollBar::OnTimer(UINT_PTR id) {
    if (id == kDelayTimer) {
        KillTimer(Handle(), kDelayTimer);
        SetTimer(Handle(), kRepeatTimer, kRepeatInterval, nullptr);
        m_repeating = true;
    } else if (id != kRepeatTimer) {
        return false;
    }
    switch (AutoRepeatStep(m_pressed, m_outside, HitTest(m_lastPointer), m_state)) {
        case RepeatStep::Send:
            SendScroll(m_pressed);
            break;
        case RepeatStep::Stop:
            StopRepeating();
            break;
        case RepeatStep::Nothing:
            break;
    }
    return true;
}

bool CSkinScrollBar::OnMouseMove(UINT, POINT point) {
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = Handle();
        m_trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    const int at = Along(point);
    m_lastPointer = at;
    if (m_dragging) {
        const int position =
            DraggedPosition(Length(), m_partSize, m_state, m_dragStart, at - m_dragPoint);
        if (position != m_state.trackPosition) {
            m_state.trackPosition = position;
            Repaint();
            SendScroll(ScrollPart::Thumb, position);
        }
    } else if (m_pressed != ScrollPart::None) {
        const bool outside = HitTest(at) != m_pressed;
        if (outside != m_outside) {
            m_outside = outside;
            Repaint();
        }
    } else {
        const ScrollPart part = HitTest(at);
        if (part != m_hover) {
            m_hover = part;
            Repaint();
        }
    }
    return true;
}

bool CSkinScrollBar::OnMouseLeave() {
    m_trackingLeave = false;
    if (!m_dragging && m_pressed == ScrollPart::None && m_hover != ScrollPart::None) {
        m_hover = ScrollPart::None;
        Repaint();
    }
    return true;
}

void CSkinScrollBar::FinishPress() {
    if (m_dragging) {
        m_dragging = false;
        const int track = m_state.trackPosition;
        m_state.trackPosition = -1;
        SendScrollCode(SB_THUMBPOSITION, track);
        Repaint();
    } else if (m_pressed != ScrollPart::None) {
        StopRepeating();
        m_pressed = ScrollPart::None;
        m_outside = false;
        Repaint();
    }
}

bool CSkinScrollBar::OnLButtonUp(UINT, POINT point) {
    m_lastPointer = Along(point);
    FinishPress();
    ReleaseCapture();
    return true;
}

bool CSkinScrollBar::OnCaptureChanged(HWND newCapture) {
    // Losing the capture in mid-press (another window took it) ends the press as a release
    // would, so no timer keeps scrolling and no drag is left hanging.
    if (newCapture != Handle()) {
        FinishPress();
    }
    return true;
}

bool CSkinScrollBar::OnPaint() {
    PaintScope paint(Handle());
    PaintTo(paint.Dc());
    return true;
}

bool CSkinScrollBar::OnPrintClient(HDC dc) {
    PaintTo(dc);
    return true;
}

void CSkinScrollBar::PaintTo(HDC target) {
    if (m_skin == nullptr || m_partSize <= 0) {
        return;
    }
    PaintDoubleBuffered(target, ClientSize(Handle()), nullptr, nullptr, "CSkinScrollBar",
                        [this](HDC dc) {
                            ScopedMemoryDc skin(CreateCompatibleDC(dc));
                            if (skin) {
                                SelectGuard select(skin.Get(), m_skin);
                                DrawBar(dc, skin.Get());
                            }
                        });
}

void CSkinScrollBar::DrawBar(HDC dc, HDC skin) {
    const bool vertical = IsVertical();
    const int w = m_partSize;
    const ScrollBarLayout layout = LayoutScrollBar(Length(), w, m_state);

    // A rectangle at `begin` along the bar, `length` long and the bar's thickness across.
    const auto place = [&](int begin, int length) {
        return vertical ? RECT{0, begin, w, begin + length} : RECT{begin, 0, begin + length, w};
    };
    const auto copy = [&](const RECT& to, int sourceX, int sourceY, int sourceW, int sourceH) {
        const int width = to.right - to.left;
        const int height = to.bottom - to.top;
        if (width <= 0 || height <= 0) {
            return;
        }
        if (width == sourceW && height == sourceH) {
            BitBlt(dc, to.left, to.top, width, height, skin, sourceX, sourceY, SRCCOPY);
        } else {
            StretchBlt(dc, to.left, to.top, width, height, skin, sourceX, sourceY, sourceW, sourceH,
                       SRCCOPY);
        }
    };

    // Arrows: the normal look from the square, a state from the whole cell.
    for (ScrollPart arrow : {ScrollPart::LineUp, ScrollPart::LineDown}) {
        const ScrollSpan span = layout.Part(arrow);
        int row = kNormal;
        if (m_pressed == arrow && !m_outside) {
            row = kPressed;
        } else if (m_pressed == ScrollPart::None && !m_dragging && m_hover == arrow) {
            row = kHover;
        }
        const int x = Column(arrow, vertical) * w;
        if (row == kNormal) {
            copy(place(span.begin, span.Length()), x, 0, w, w);
        } else {
            copy(place(span.begin, span.Length()), x, row * m_cellHeight, w, m_cellHeight);
        }
    }

    // The track before and after the thumb, tiled from its square.
    const int trackX = Column(ScrollPart::PageUp, vertical) * w;
    for (ScrollPart part : {ScrollPart::PageUp, ScrollPart::PageDown}) {
        const ScrollSpan span = layout.Part(part);
        for (const SliceCopy& tile : TileCopies(span.Length(), 0, w)) {
            const RECT to = place(span.begin + tile.destination, tile.length);
            BitBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, skin,
                   trackX + (vertical ? 0 : tile.source), vertical ? tile.source : 0, SRCCOPY);
        }
    }

    // The thumb in three slices from the square of its row.
    const ScrollSpan thumb = layout.Part(ScrollPart::Thumb);
    int thumbRow = kNormal;
    if (m_dragging) {
        thumbRow = kPressed;
    } else if (m_pressed == ScrollPart::None && m_hover == ScrollPart::Thumb) {
        thumbRow = kHover;
    }
    const int thumbX = Column(ScrollPart::Thumb, vertical) * w;
    const int thumbY = thumbRow * m_cellHeight;
    for (const SliceCopy& slice : ThreeSliceCopies(thumb.Length(), w)) {
        const RECT to = place(thumb.begin + slice.destination, slice.length);
        BitBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, skin,
               thumbX + (vertical ? 0 : slice.source), thumbY + (vertical ? slice.source : 0),
               SRCCOPY);
    }
}

}  // namespace ventrio
