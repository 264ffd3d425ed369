#include "TrayIcon.h"

#include "Diagnostics.h"

void CTrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip) {
    m_nid = NOTIFYICONDATAW{};
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
    m_nid.hWnd = owner;
    m_nid.uID = id;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = callbackMessage;
    m_nid.hIcon = icon;
    ::lstrcpynW(m_nid.szTip, tip, ARRAYSIZE(m_nid.szTip));
    AddAgain();
}

void CTrayIcon::AddAgain() {
    m_bWanted = true;
    if (!::Shell_NotifyIconW(NIM_ADD, &m_nid))
        AfxReportFailure("Shell_NotifyIconW NIM_ADD (the tray icon)", ::GetLastError());
}

void CTrayIcon::Remove() {
    if (!m_bWanted)
        return;
    ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
    m_bWanted = false;
}
