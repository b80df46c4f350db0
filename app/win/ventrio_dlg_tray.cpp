// The main window's notification-area icon, as far as start-up and the end of the program need
// it: added while the window is built, removed when no mouse is present and when the window
// goes, and its menu with the one command that ends the program.
#include <cwchar>

#include "app/win/ventrio_dlg.h"
#include "platform/win/private_messages.h"
#include "platform/win/wide_text.h"
#include "skin/win/ex_menu.h"

namespace ventrio {

void CVentrioDlg::AddTrayIcon() {
    // The mouse announces each of its interfaces, so an arrival may ask for the icon again.
    if (m_trayIconShown) {
        return;
    }
    m_trayIcon = NOTIFYICONDATAW{};
    m_trayIcon.cbSize = sizeof(m_trayIcon);
    m_trayIcon.hWnd = Handle();
    m_trayIcon.uID = kTrayIconId;
    m_trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_trayIcon.uCallbackMessage = WM_TRAY_NOTIFY;
    m_trayIcon.hIcon = m_smallIcon.Get();
    const std::wstring tip = Widen(m_localisation.texts.Text(6));
    wcsncpy(m_trayIcon.szTip, tip.c_str(), std::size(m_trayIcon.szTip) - 1);
    m_trayIconShown = Shell_NotifyIconW(NIM_ADD, &m_trayIcon) != FALSE;
}

void CVentrioDlg::RemoveTrayIcon() {
    if (m_trayIcon.hWnd != nullptr) {
        Shell_NotifyIconW(NIM_DELETE, &m_trayIcon);
    }
    m_trayIconShown = false;
}

// A balloon asked for while the icon does not exist shows nothing and is not retried.
void CVentrioDlg::ShowTrayBalloon(const std::string& text, const std::string& title,
                                  UINT timeoutMs) {
    if (!m_trayIconShown) {
        return;
    }
    const std::wstring info = Widen(text);
    const std::wstring infoTitle = Widen(title);
    wcsncpy(m_trayIcon.szInfo, info.c_str(), std::size(m_trayIcon.szInfo) - 1);
    wcsncpy(m_trayIcon.szInfoTitle, infoTitle.c_str(), std::size(m_trayIcon.szInfoTitle) - 1);
    m_trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_trayIcon.dwInfoFlags = NIIF_INFO;
    m_trayIcon.uTimeout = timeoutMs;
    Shell_NotifyIconW(NIM_MODIFY, &m_trayIcon);
}

LRESULT CVentrioDlg::OnTrayCallback(UINT iconId, UINT mouseMessage) {
    if (iconId != kTrayIconId) {
        return 1;
    }
    if (mouseMessage == WM_RBUTTONUP) {
        ShowTrayMenu();
    }
    return 0;
}

void CVentrioDlg::ShowTrayMenu() {
    SetForegroundWindow(Handle());
    POINT cursor{};
    GetCursorPos(&cursor);
    CExMenu menu(m_mainFont.Get());
    if (!menu.CreatePopupMenu() || !menu.AppendItem(IDCANCEL, m_localisation.texts.Text(546))) {
        return;
    }
    menu.m_itemWidth = 100;
    TrackPopupMenu(menu.Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(),
                   nullptr);
    // The chosen command arrives as a posted message, after the menu is gone.
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

}  // namespace ventrio
