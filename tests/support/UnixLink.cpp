#include "UnixLink.h"
#include <windows.h>
#include <vector>

#include "Wait.h"

namespace {
std::wstring UnixPath(const std::wstring& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto generic = reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    auto toUnix = reinterpret_cast<ToUnix>(generic);
    if (toUnix == nullptr)
        return {};
    char* unix = toUnix(windowsPath.c_str());
    if (unix == nullptr)
        return {};
    std::wstring result;
    for (const char* p = unix; *p; ++p)
        result += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}
}  // namespace

bool MakeUnixSymlink(const std::wstring& target, const std::wstring& link) {
    const std::wstring from = UnixPath(target), to = UnixPath(link);
    if (from.empty() || to.empty())
        return false;
    std::wstring command = L"Z:\\bin\\ln -s \"" + from + L"\" \"" + to + L"\"";
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(0);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    // The handle of a Unix process can signal before the program is done:
    // wait for the link itself.
    return WaitUntil([&] { return ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
}
