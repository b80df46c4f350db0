#include "app/win/ventrio_dlg.h"

#include "app/profile_loading.h"
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
                         Shell& shell)
    : Dialog(kTemplateId),
      m_config(config),
      m_files(files),
      m_localisation(localisation),
      m_shell(shell) {}

CVentrioDlg::~CVentrioDlg() {
    Destroy();
}

bool CVentrioDlg::OnInitDialog() {
    m_initialised = InitialiseMainWindow();
    return true;
}

// The order matters: the device link joins between keeping the window handle and loading the
// files, so that a mouse found at start-up is set up before its configuration is read.
bool CVentrioDlg::InitialiseMainWindow() {
    SetWindowIcons();
    ShowSplash();
    SetWindowTextW(Handle(), Widen(kProductTitle).c_str());
    g_mainWindow.store(Handle());

    LoadProfileAtStartup(m_files, m_config, m_localisation);

    BuildUserInterface();
    AddTrayIcon();

    // Without a mouse the program runs hidden and without a tray icon until one arrives.
    if (DevicePresent.load() != 1) {
        RemoveTrayIcon();
    }

    m_localisation.CopyDpiLabelsFromTexts();
    return true;
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
            return 0;
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
    if (DevicePresent.load() == 1 || m_noDeviceHides <= 0) {
        return false;
    }
    --m_noDeviceHides;
    ShowWindow(Handle(), SW_HIDE);
    return true;
}

bool CVentrioDlg::OnDestroy() {
    RemoveTrayIcon();
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
