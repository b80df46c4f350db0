// A frame that wraps an existing window: the window's own scroll bars are kept out of sight
// behind a clipping "limiter", skinned bars take their place, follow the window's scroll state
// and pass the user's scroll requests on to it.
#pragma once

#include <windows.h>

#include "platform/win/window.h"
#include "skin/scroll_frame_layout.h"
#include "skin/win/skin_scroll_bar.h"

namespace ventrio {

class CSkinScrollWnd : public Window {
  public:
    static constexpr UINT kLimiterId = 200;
    static constexpr UINT kHorizontalBarId = 100;
    static constexpr UINT kVerticalBarId = 101;
    static constexpr UINT_PTR kSyncTimer = 1;

    CSkinScrollWnd() = default;
    ~CSkinScrollWnd() override;

    // Wraps `window` (which keeps doing its own scrolling) with bars drawn from `skin`; the skin
    // stays the caller's. Returns false, leaving the window as it was, when it cannot.
    bool AttachSkinScroll(HWND window, HBITMAP skin);

    HWND Wrapped() const { return m_wrapped; }
    HWND LimiterWindow() const { return m_limiter.Handle(); }
    CSkinScrollBar& VerticalBar() { return m_vertical; }
    CSkinScrollBar& HorizontalBar() { return m_horizontal; }
    CornerMode Corner() const { return m_corner; }

  protected:
    MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnPaint() override;
    bool OnPrintClient(HDC dc) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnVScroll(int code, int position, HWND bar) override;
    bool OnHScroll(int code, int position, HWND bar) override;
    bool OnDestroy() override;

  private:
    // The limiter clips the wrapped window; what the window tells its parent goes on to the
    // parent it had before it was wrapped.
    class Limiter : public Window {
      public:
        bool Create(HWND frame, const RECT& rect, HWND notifyTarget);

      protected:
        MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

      private:
        HWND m_notifyTarget = nullptr;
    };

    static LRESULT CALLBACK WrappedProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    void Layout();
    void ForwardScroll(UINT message, int code, int position, CSkinScrollBar& bar);
    // Copies the window's scroll state into a skinned bar when it differs.
    void SyncBar(CSkinScrollBar& bar, int which, bool skipWhileDragging);
    void SyncBars(bool skipWhileDragging);
    void Release();
    void PaintTo(HDC target);

    HWND m_wrapped = nullptr;
    HWND m_previousParent = nullptr;
    HBITMAP m_skin = nullptr;
    int m_partSize = 0;
    Limiter m_limiter;
    CSkinScrollBar m_horizontal;
    CSkinScrollBar m_vertical;
    CornerMode m_corner = CornerMode::None;
    bool m_forwarding = false;
};

}  // namespace ventrio
