#include "Log.h"

#include <windows.h>

#include <mutex>
#include <vector>

#include "StandIn.h"

namespace standin {
namespace {
std::mutex g_mutex;
std::vector<std::string> g_lines;

void AppendToFile(const std::string& line) {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"STANDIN_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    // Opened per line, so that another process can read the file while we run.
    HANDLE file = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}
}  // namespace

void WriteLog(const std::string& line) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.push_back(line);
    AppendToFile(line);
}

std::vector<std::string> LogLines() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_lines;
}

void ClearLog() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.clear();
}
}  // namespace standin
