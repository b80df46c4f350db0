// The slider markers: a track image with a fill whose length shows the value. The owner hears
// the value only when the left button is released over the marker.
#pragma once

#include <windows.h>

#include "platform/win/handles.h"
#include "platform/win/window.h"
#include "skin/marker_geometry.h"

namespace ventrio {

// Horizontal marker: the value grows to the right.
class CDMarker : public Window {
  public:
    CDMarker() : CDMarker(MarkerOrientation::Horizontal) {}

    // Creates the marker over `rect` (the owner's client coordinates) as a visible child of
    // `owner`; `id` goes with every WM_MARKER_POS.
    bool CreateMarker(const RECT& rect, HWND owner, UINT id);
    // Cuts (left, top)-(right, bottom) out of each source; a missing source leaves that look.
    void SetImages(int left, int top, int right, int bottom, HBITMAP track, HBITMAP fill);
    // Shows `value` when it lies in the range, the minimum otherwise; tells nobody.
    void SetPos(int value);
    int GetPos() const { return m_value; }

    // Owners set their range right after creation.
    int m_minimum = 0;
    int m_maximum = 10;

  protected:
    explicit CDMarker(MarkerOrientation orientation) : m_orientation(orientation) {}

    bool OnPaint() override;
    bool OnPrintClient(HDC dc) override;
    bool OnEraseBackground(HDC) override { return true; }
    bool OnLButtonDown(UINT keys, POINT point) override;
    bool OnMouseMove(UINT keys, POINT point) override;
    bool OnLButtonUp(UINT keys, POINT point) override;
    bool OnCaptureChanged(HWND newCapture) override;
    bool OnKillFocus(HWND newFocus) override;

  private:
    MarkerRange Range() const { return MarkerRange{m_minimum, m_maximum}; }
    int ValueAt(POINT client) const;
    void PaintTo(HDC target);
    void Repaint();

    MarkerOrientation m_orientation;
    HWND m_owner = nullptr;
    UINT m_id = 0;
    MarkerRect m_rect;
    int m_value = 0;
    ScopedBitmap m_track;
    ScopedBitmap m_fill;
    bool m_dragging = false;
};

// Vertical marker: the value grows upwards and the fill rises from the bottom.
class CDMarkerV : public CDMarker {
  public:
    CDMarkerV() : CDMarker(MarkerOrientation::Vertical) {}
};

}  // namespace ventrio
