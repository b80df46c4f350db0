// The main window: a borderless, skinned dialog that brings the program up in a fixed order and
// handles the program's own messages.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "app/localisation.h"
#include "config/config_files.h"
#include "config/config_state.h"
#include "device/device_change.h"
#include "device/device_link.h"
#include "device/input_report_reader.h"
#include "platform/shell.h"
#include "platform/win/device_broadcast.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace ventrio {

// The product title, the same text as text 6 in every language; the window needs it before the
// language is known.
inline constexpr char kProductTitle[] = "Korvex2016版";

// The main window, for the threads and handlers that talk to it.
HWND MainWindowHandle();

class CVentrioDlg : public Dialog, private DeviceChangeWindow {
  public:
    static constexpr int kTemplateId = 102;
    static constexpr UINT kTrayIconId = 128;
    static constexpr UINT kXAxisMarkerId = 2025;
    static constexpr UINT kYAxisMarkerId = 2026;
    static constexpr int kNoDeviceHides = 2;

    CVentrioDlg(ConfigState& config, ConfigFiles& files, Localisation& localisation, Shell& shell,
                DeviceLink& link);
    ~CVentrioDlg() override;

    bool PreTranslateMessage(MSG& message) override;

    // Whether the initialisation ran to its end.
    bool Initialised() const { return m_initialised; }
    int NoDeviceHidesLeft() const { return m_noDeviceHides; }
    bool TrayIconShown() const { return m_trayIconShown; }

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

    // The device link's part of the initialisation: the mouse search, the reader's event and
    // thread, the device notifications. False when the initialisation must stop.
    bool StartDeviceLink();
    LRESULT OnDeviceChange(WPARAM eventType, LPARAM broadcast);
    LRESULT OnDeviceEvent(WPARAM code, LPARAM value);

    // What the device-change handling asks of the window.
    void SendDeviceEvent(uint32_t code, uint32_t value) override;
    void HideMainWindow() override;
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void ShowTrayBalloon(const std::string& text, const std::string& title, UINT timeoutMs);
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
    DeviceLink& m_link;
    std::unique_ptr<InputReportReader> m_reader;
    std::unique_ptr<DeviceChangeHandler> m_deviceChange;
    DeviceNotification m_deviceNotification;

    bool m_initialised = false;
    bool m_trayIconShown = false;
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
