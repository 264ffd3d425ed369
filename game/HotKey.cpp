#include "HotKey.h"

#include <cstdio>

#include "Diagnostics.h"

bool CHotKey::Register(HWND window, UINT virtualKey, const char* name) {
    Release();
    if (!::RegisterHotKey(window, m_id, 0, virtualKey)) {
        char what[64];
        std::snprintf(what, sizeof(what), "RegisterHotKey %s", name);
        AfxReportFailure(what, ::GetLastError());
        return false;
    }
    m_hWnd = window;
    return true;
}

void CHotKey::Release() {
    if (m_hWnd == nullptr)
        return;
    ::UnregisterHotKey(m_hWnd, m_id);
    m_hWnd = nullptr;
}
