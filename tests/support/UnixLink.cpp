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

namespace {
// Runs a Unix program on two Windows paths' Unix names (empty `second`: one).
bool RunUnix(const wchar_t* program, const std::wstring& first, const std::wstring& second) {
    std::wstring command = std::wstring(L"Z:\\bin\\") + program + L" \"" + UnixPath(first) + L"\"";
    if (!second.empty())
        command += L" \"" + UnixPath(second) + L"\"";
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(0);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

}  // namespace

bool MakeUnixSymlink(const std::wstring& target, const std::wstring& link) {
    if (UnixPath(target).empty() || UnixPath(link).empty() || !RunUnix(L"ln -sfn", target, link))
        return false;
    // The handle of a Unix process can signal before the program is done:
    // wait for the link itself.
    return WaitUntil([&] { return ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
}

bool RemoveUnixLink(const std::wstring& link) {
    if (UnixPath(link).empty() || !RunUnix(L"rm -f", link, L""))
        return false;
    return WaitUntil([&] { return ::GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; }, 10000);
}
