#include "app/win/ventrio_dlg.h"

#include "app/profile_loading.h"
#include "device/device_events.h"
#include "platform/trace.h"
#include "platform/win/private_messages.h"
#include "platform/win/wide_text.h"
#include "resources/resource_ids.h"
#include "skin/win/dlg_splash.h"
#include "skin/win/ex_menu.h"
#include "skin/win/skin_image.h"
#include "skin/win/skin_paint.h"

namespace ventrio {
namespace {

std::atomic<HWND> g_mainWindow{nullptr};

bool IsSwallowedKey(WPARAM key) {
    return key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE || key == VK_F1;
}

}  // namespace

HWND MainWindowHandle() {
    return g_mainWindow.load();
}

CVentrioDlg::CVentrioDlg(ConfigState& config, ConfigFiles& files, Localisation& localisation,
                         Shell& shell, DeviceLink& link)
    : Dialog(kTemplateId),
      m_config(config),
      m_files(files),
      m_localisation(localisation),
      m_shell(shell),
      m_link(link) {}

CVentrioDlg::~CVentrioDlg() {
    Destroy();
}

bool CVentrioDlg::OnInitDialog() {
    m_initialised = InitialiseMainWindow();
    return true;
}

// The order matters: a mouse found at start-up is set up before its configuration is read, and
// the reader exists before the device notifications can report an arrival.
bool CVentrioDlg::InitialiseMainWindow() {
    SetWindowIcons();
    ShowSplash();
    SetWindowTextW(Handle(), Widen(kProductTitle).c_str());
    g_mainWindow.store(Handle());

    if (!StartDeviceLink()) {
        return false;
    }

    LoadProfileAtStartup(m_files, m_config, m_localisation);

    BuildUserInterface();
    AddTrayIcon();
    m_link.ReadFirmwareVersion();

    if (m_link.DevicePresent() == 1) {
        m_link.SetFunctionOption();
    } else {
        // Without a mouse the program runs hidden and without a tray icon until one arrives.
        RemoveTrayIcon();
    }

    m_localisation.CopyDpiLabelsFromTexts();
    m_link.ReadFirmwareVersion();
    return true;
}

bool CVentrioDlg::StartDeviceLink() {
    const bool found = FindDeviceAtStartup(m_link, m_config.working);
    if (!m_link.CreateReaderEvent()) {
        return false;
    }
    // Sent, not posted: the reader starts its next read only when the window has handled the
    // event, device commands included.
    const HWND window = Handle();
    m_reader = std::make_unique<InputReportReader>(m_link, [window](uint8_t code, uint8_t value) {
        SendMessageW(window, WM_DEVICE_EVENT, code, value);
    });
    if (found) {
        m_reader->Resume();
    }
    m_deviceChange = std::make_unique<DeviceChangeHandler>(m_link, m_config, m_files, *m_reader,
                                                           static_cast<DeviceChangeWindow&>(*this));
    m_deviceNotification = RegisterForHidInterfaces(Handle());
    if (!m_deviceNotification) {
        Trace("RegisterDeviceNotification failed!!!");
        return false;
    }
    return true;
}

LRESULT CVentrioDlg::OnDeviceChange(WPARAM eventType, LPARAM lParam) {
    const auto broadcast = ReadDeviceBroadcast(lParam);
    if (broadcast && m_deviceChange) {
        m_deviceChange->OnDeviceChange(static_cast<uint32_t>(eventType), broadcast->deviceType,
                                       broadcast->interfacePath);
    }
    return TRUE;
}

LRESULT CVentrioDlg::OnDeviceEvent(WPARAM code, LPARAM value) {
    const auto balloon = ventrio::OnDeviceEvent(m_link, m_config.working, m_localisation.texts,
                                                code, static_cast<uint64_t>(value));
    if (balloon) {
        ShowTrayBalloon(balloon->text, balloon->title, balloon->timeoutMs);
    }
    return 0;
}

void CVentrioDlg::SendDeviceEvent(uint32_t code, uint32_t value) {
    SendMessageW(Handle(), WM_DEVICE_EVENT, code, value);
}

void CVentrioDlg::HideMainWindow() {
    ShowWindow(Handle(), SW_HIDE);
}

void CVentrioDlg::SetWindowIcons() {
    const auto load = [](int size) {
        return ScopedIcon(
            static_cast<HICON>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(IDI_VENTRIO),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
    m_largeIcon = load(GetSystemMetrics(SM_CXICON));
    m_smallIcon = load(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_largeIcon.Get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
}

void CVentrioDlg::ShowSplash() {
    ShowSplashWindow(Handle());
}

void CVentrioDlg::BuildUserInterface() {
    m_background = MakeBaseBitmap("/skins/main.png");
    m_windowSize = BitmapSize(m_background.Get());
    if (m_windowSize.cx > 0 && m_windowSize.cy > 0) {
        SetWindowPos(Handle(), nullptr, 0, 0, m_windowSize.cx, m_windowSize.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CreateFonts();
    m_view = 1;
    m_highlightedButton = -1;
}

void CVentrioDlg::CreateFonts() {
    const MainWindowFonts fonts = MainWindowFontsFor(m_localisation.code);
    const std::wstring face = Widen(fonts.face);
    const auto create = [&](int weight, int charset) {
        return ScopedFont(CreateFontW(fonts.height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                      static_cast<BYTE>(charset), OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      static_cast<BYTE>(fonts.pitchAndFamily), face.c_str()));
    };
    m_mainFont = create(fonts.mainWeight, fonts.mainCharset);
    m_secondFont = create(fonts.secondWeight, fonts.secondCharset);
}

bool CVentrioDlg::PreTranslateMessage(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            return IsSwallowedKey(message.wParam);
        case WM_SETTINGS_CLICK:
            ClearRowHighlight();
            return false;
        default:
            return false;
    }
}

MessageResult CVentrioDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TRAY_NOTIFY:
            return OnTrayCallback(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        case WM_DEVICE_EVENT:
            return OnDeviceEvent(wParam, lParam);
        case WM_DEVICECHANGE:
            return OnDeviceChange(wParam, lParam);
        case WM_PROFILE_COMMAND:
            return 0;
        case WM_MARKER_POS:
            return OnMarkerPos(wParam, lParam);
        default:
            return Dialog::HandleMessage(message, wParam, lParam);
    }
}

LRESULT CVentrioDlg::OnMarkerPos(WPARAM value, LPARAM markerId) {
    const auto byte = static_cast<uint8_t>(value);
    if (markerId == kXAxisMarkerId) {
        m_config.working[rec::kXSensitivity] = byte;
    } else if (markerId == kYAxisMarkerId) {
        m_config.working[rec::kYSensitivity] = byte;
    }
    return 0;
}

bool CVentrioDlg::OnCommand(int id, int code, HWND control) {
    // Only the cancel command (the tray menu's "Exit") ends the program.
    if (id == IDOK) {
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

bool CVentrioDlg::OnNcPaint(HRGN) {
    if (m_link.DevicePresent() == 1 || m_noDeviceHides <= 0) {
        return false;
    }
    --m_noDeviceHides;
    ShowWindow(Handle(), SW_HIDE);
    return true;
}

bool CVentrioDlg::OnDestroy() {
    // The reader is only asked to stop here; it is joined when the window object goes, after the
    // modal run, since it may be waiting to send this window a message.
    if (m_reader) {
        m_reader->RequestStop();
    }
    m_link.CloseHandles();
    RemoveTrayIcon();
    m_deviceNotification.Reset();
    if (g_mainWindow.load() == Handle()) {
        g_mainWindow.store(nullptr);
    }
    return false;
}

bool CVentrioDlg::OnLButtonDown(UINT, POINT) {
    // The window has no title bar; its background moves it.
    ClearRowHighlight();
    ReleaseCapture();
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return true;
}

void CVentrioDlg::ClearRowHighlight() {
    if (m_highlightedButton != -1) {
        m_highlightedButton = -1;
        const RECT picture{262, 35, 734, 550};
        InvalidateRect(Handle(), &picture, FALSE);
    }
}

bool CVentrioDlg::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    return CExMenu::RouteMeasureItem(item);
}

bool CVentrioDlg::OnDrawItem(DRAWITEMSTRUCT& item) {
    return CExMenu::RouteDrawItem(item);
}

}  // namespace ventrio
