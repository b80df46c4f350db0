// The main window: a borderless, skinned dialog that brings the program up in a fixed order and
// handles the program's own messages.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <cstdint>

#include "app/localisation.h"
#include "config/config_files.h"
#include "config/config_state.h"
#include "platform/shell.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace ventrio {

// The product title, the same text as text 6 in every language; the window needs it before the
// language is known.
inline constexpr char kProductTitle[] = "Korvex2016版";

// The main window, for the threads and handlers that talk to it.
HWND MainWindowHandle();

class CVentrioDlg : public Dialog {
  public:
    static constexpr int kTemplateId = 102;
    static constexpr UINT kTrayIconId = 128;
    static constexpr UINT kXAxisMarkerId = 2025;
    static constexpr UINT kYAxisMarkerId = 2026;
    static constexpr int kNoDeviceHides = 2;

    CVentrioDlg(ConfigState& config, ConfigFiles& files, Localisation& localisation, Shell& shell);
    ~CVentrioDlg() override;

    bool PreTranslateMessage(MSG& message) override;

    // Whether the initialisation ran to its end.
    bool Initialised() const { return m_initialised; }
    int NoDeviceHidesLeft() const { return m_noDeviceHides; }

    // 1 while the mouse's command interface is open. The input reader reads it from its own
    // thread, so it is atomic; only the user-interface thread writes it.
    std::atomic<int32_t> DevicePresent{0};

  protected:
    bool OnInitDialog() override;
    MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnPaint() override;
    bool OnPrintClient(HDC dc) override;
    bool OnEraseBackground(HDC) override { return true; }
    bool OnNcPaint(HRGN region) override;
    bool OnDestroy() override;
    bool OnLButtonDown(UINT keys, POINT point) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;

  private:
    // The initialisation in its order; false when it stopped early.
    bool InitialiseMainWindow();
    void SetWindowIcons();
    void ShowSplash();
    void BuildUserInterface();
    void CreateFonts();

    void AddTrayIcon();
    void RemoveTrayIcon();
    LRESULT OnTrayCallback(UINT iconId, UINT mouseMessage);
    void ShowTrayMenu();
    LRESULT OnMarkerPos(WPARAM value, LPARAM markerId);
    void ClearRowHighlight();

    void PaintTo(HDC target);
    void PaintContents(HDC dc);

    ConfigState& m_config;
    ConfigFiles& m_files;
    Localisation& m_localisation;
    Shell& m_shell;

    bool m_initialised = false;
    int m_noDeviceHides = kNoDeviceHides;
    ScopedIcon m_largeIcon;
    ScopedIcon m_smallIcon;
    NOTIFYICONDATAW m_trayIcon{};
    ScopedBitmap m_background;
    SIZE m_windowSize{};
    ScopedFont m_mainFont;
    ScopedFont m_secondFont;
    int m_view = 1;                // 1 top, 2 side, 3 back
    int m_highlightedButton = -1;  // drawn with its hover mark; -1 none
};

}  // namespace ventrio
