#pragma once
// Finding and starting the programs built next to the test program.
#include <windows.h>
#include <string>

// Full path of a file in the folder of the running test program.
std::wstring BuiltFile(const std::wstring& name);

// A started process, ended by its pid when still running at destruction.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Pid() const { return m_info.dwProcessId; }
    // Waits for the end; returns the exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs);
    // The first visible top-level window of this process with this title.
    HWND FindTopWindow(const wchar_t* title, DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION m_info{};
};
