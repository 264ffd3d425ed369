#pragma once
// An icon in the notification area, held in a record its owner keeps, and
// given back when released.
#include <windows.h>
#include <shellapi.h>

class CTrayIcon {
public:
    explicit CTrayIcon(NOTIFYICONDATAW& record) : m_nid(record) {}
    ~CTrayIcon() { Remove(); }
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Fills the record (callback message, icon and tip) and adds the icon.
    void Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip);
    // Adds the icon of the record again: a restarted shell has none.
    void AddAgain();
    // Harmless when there is none; the record keeps its owner, so this works
    // after the owner's window is gone too.
    void Remove();
    // Between Add and Remove, whether or not the shell took the icon.
    bool Wanted() const { return m_bWanted; }

private:
    NOTIFYICONDATAW& m_nid;
    bool m_bWanted = false;
};
