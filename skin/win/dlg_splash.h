// The start-up picture: shown for three seconds, deaf to keys and clicks.
#pragma once

#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace ventrio {

class CDlgSplash : public Dialog {
  public:
    static constexpr int kTemplateId = 147;
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kShowMilliseconds = 3000;
    static constexpr int kWidth = 543;
    static constexpr int kHeight = 425;

    CDlgSplash() : Dialog(kTemplateId) {}
    bool PreTranslateMessage(MSG& message) override;

  protected:
    bool OnInitDialog() override;
    bool OnPaint() override;
    bool OnPrintClient(HDC dc) override;
    bool OnTimer(UINT_PTR id) override;

  private:
    void PaintTo(HDC target);

    ScopedBitmap m_base;
};

// Shows the splash over `owner` and returns when it has closed.
void ShowSplashWindow(HWND owner);

}  // namespace ventrio
