// A scroll bar drawn from the skin's scroll-bar bitmap: a grid of 9 columns (vertical up, down,
// thumb, track; horizontal left, right, thumb, track; the corner square) by 3 rows (normal,
// hover, pressed). It speaks the scroll bar's information messages and sends its parent the
// usual scroll requests.
#pragma once

#include <windows.h>

#include "platform/win/window.h"
#include "skin/scroll_bar_geometry.h"

namespace ventrio {

class CSkinScrollBar : public Window {
  public:
    static constexpr UINT_PTR kRepeatTimer = 100;  // every 100 ms while a part is held
    static constexpr UINT_PTR kDelayTimer = 200;   // 500 ms before the repeating starts

    // Creates the bar as a child of `parent`; SBS_VERT in `style` makes it vertical.
    bool Create(HWND parent, const RECT& rect, UINT id, DWORD style);
    // Takes the skin (kept by the caller), derives its part sizes and sets the bar's thickness.
    void SetSkinBitmap(HBITMAP skin);

    bool IsVertical() const;
    bool IsDragging() const { return m_dragging; }
    int PartSize() const { return m_partSize; }
    const ScrollState& State() const { return m_state; }

  protected:
    MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnPaint() override;
    bool OnPrintClient(HDC dc) override;
    bool OnEraseBackground(HDC) override { return true; }
    bool OnLButtonDown(UINT keys, POINT point) override;
    bool OnMouseMove(UINT keys, POINT point) override;
    bool OnLButtonUp(UINT keys, POINT point) override;
    bool OnMouseLeave() override;
    bool OnCaptureChanged(HWND newCapture) override;
    bool OnTimer(UINT_PTR id) override;

  private:
    LRESULT SetInfo(const SCROLLINFO& info, bool redraw);
    void GetInfo(SCROLLINFO& info) const;
    int Length() const;
    int Along(POINT point) const { return IsVertical() ? point.y : point.x; }
    ScrollPart HitTest(int at) const;
    void SendScroll(ScrollPart part, int position = 0);
    void SendScrollCode(int code, int position);
    void StopRepeating();
    void FinishPress();
    void Repaint();
    void PaintTo(HDC target);
    void DrawBar(HDC dc, HDC skin);

    HBITMAP m_skin = nullptr;
    int m_partSize = 0;    // w
    int m_cellHeight = 0;  // hc
    ScrollState m_state;
    bool m_dragging = false;
    int m_dragPoint = 0;
    int m_dragStart = 0;
    ScrollPart m_pressed = ScrollPart::None;
    bool m_outside = false;
    bool m_repeating = false;
    ScrollPart m_hover = ScrollPart::None;
    bool m_trackingLeave = false;
    int m_lastPointer = -1;  // where the pointer was last seen along the bar
};

}  // namespace ventrio
