#pragma once
// What the setup program leaves on the system, read back the way the shell
// and the installed-programs list read it: shortcut targets, per-user
// registry values, the files of a folder.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A folder of the shell (CSIDL_*), without a trailing backslash.
std::wstring ShellFolder(int csidl);
// The program a shortcut (.lnk) starts; empty when it cannot be read.
std::wstring ShortcutTarget(const std::wstring& link);

// Under HKEY_CURRENT_USER: whether `key` exists; a value of `key` of type
// REG_SZ or REG_DWORD (nothing when absent or of another type).
bool UserKeyExists(const wchar_t* key);
std::optional<std::wstring> UserString(const wchar_t* key, const wchar_t* name);
std::optional<DWORD> UserDword(const wchar_t* key, const wchar_t* name);

struct FolderFiles {
    std::vector<std::wstring> names;  // sorted; sub-folders count as names too
    ULONGLONG bytes = 0;
};
FolderFiles FilesIn(const std::wstring& folder);
bool SameBytes(const std::wstring& a, const std::wstring& b);
