#include "Module.h"
#include "Wait.h"
#include <vector>

std::wstring BuiltFile(const std::wstring& name) {
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

ChildProcess::ChildProcess(const std::wstring& commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_info))
        m_info = PROCESS_INFORMATION{};
}

ChildProcess::~ChildProcess() {
    if (m_info.hProcess == nullptr)
        return;
    if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_info.hProcess, 1);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (m_info.hProcess == nullptr || ::WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

namespace {
struct WindowSearch {
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t text[128] = {};
    ::GetWindowTextW(hWnd, text, 128);
    if (pid == s->pid && ::IsWindowVisible(hWnd) && lstrcmpW(text, s->title) == 0) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND ChildProcess::FindTopWindow(const wchar_t* title, DWORD timeoutMs) const {
    WindowSearch search{m_info.dwProcessId, title, nullptr};
    auto look = [&] {
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    };
    WaitUntil(look, timeoutMs);
    return search.found;
}
