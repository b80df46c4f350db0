#include "skin/win/marker.h"

#include "platform/win/private_messages.h"
#include "skin/win/skin_image.h"

namespace ventrio {
namespace {

constexpr wchar_t kMarkerClass[] = L"VentrioMarker";

}  // namespace

bool CDMarker::CreateMarker(const RECT& rect, HWND owner, UINT id) {
    m_owner = owner;
    m_id = id;
    m_rect = MarkerRect{rect.left, rect.top, rect.right, rect.bottom};
    m_value = 0;
    m_dragging = false;
    return RegisterWindowClass(kMarkerClass) &&
           CreateOfClass(kMarkerClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, rect, owner, id);
}

void CDMarker::SetImages(int left, int top, int right, int bottom, HBITMAP track, HBITMAP fill) {
    if (track != nullptr) {
        m_track = CopyBitmapRect(track, left, top, right, bottom);
    }
    if (fill != nullptr) {
        m_fill = CopyBitmapRect(fill, left, top, right, bottom);
    }
    Repaint();
}

void CDMarker::SetPos(int value) {
    m_value = MarkerSetValue(Range(), value);
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

int CDMarker::ValueAt(POINT client) const {
    POINT point = client;
    MapWindowPoints(Handle(), m_owner, &point, 1);
    return MarkerValueAt(m_orientation, m_rect, Range(), point.x, point.y);
}

void CDMarker::Repaint() {
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CDMarker::PaintTo(HDC target) {
    const int width = m_rect.Width();
    const int height = m_rect.Height();
    ScopedMemoryDc surface(CreateCompatibleDC(target));
    ScopedBitmap bitmap(surface ? CreateCompatibleBitmap(target, width, height) : nullptr);
    ScopedMemoryDc source(CreateCompatibleDC(target));
    if (!surface || !bitmap || !source) {
        return;
    }
    SelectGuard selectSurface(surface.Get(), bitmap.Get());
    {
        SelectGuard track(source.Get(), m_track.Get());
        BitBlt(surface.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    if (m_fill) {
        SelectGuard fill(source.Get(), m_fill.Get());
        if (m_orientation == MarkerOrientation::Horizontal) {
            const int fillWidth = MarkerFill(width, m_value, Range());
            BitBlt(surface.Get(), 0, 0, fillWidth, height, source.Get(), 0, 0, SRCCOPY);
        } else {
            const int fillHeight = MarkerFill(height, m_value, Range());
            BitBlt(surface.Get(), 0, height - fillHeight, width, fillHeight, source.Get(), 0, 0,
                   SRCCOPY);
        }
    }
    BitBlt(target, 0, 0, width, height, surface.Get(), 0, 0, SRCCOPY);
}

bool CDMarker::OnPaint() {
    PaintScope paint(Handle());
    PaintTo(paint.Dc());
    return true;
}

bool CDMarker::OnPrintClient(HDC dc) {
    PaintTo(dc);
    return true;
}

bool CDMarker::OnLButtonDown(UINT, POINT) {
    if (IsWindowEnabled(Handle())) {
        SetCapture(Handle());
        m_dragging = true;
    }
    return false;
}

bool CDMarker::OnMouseMove(UINT, POINT point) {
    if (m_dragging) {
        m_value = ValueAt(point);
        Repaint();
    }
    return false;
}

bool CDMarker::OnLButtonUp(UINT, POINT point) {
    m_dragging = false;
    m_value = ValueAt(point);
    PostMessageW(m_owner, WM_MARKER_POS, static_cast<WPARAM>(m_value), static_cast<LPARAM>(m_id));
    Default();
    ReleaseCapture();
    Repaint();
    return true;
}

bool CDMarker::OnCaptureChanged(HWND) {
    if (m_dragging) {
        ReleaseCapture();
        Repaint();
    }
    return false;
}

bool CDMarker::OnKillFocus(HWND) {
    Default();
    m_dragging = false;
    Repaint();
    return true;
}

}  // namespace ventrio
