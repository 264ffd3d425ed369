#include "Installation.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? path : L"";
}

std::wstring ShortcutTarget(const std::wstring& link) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&shellLink))))
        return L"";
    std::wstring target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
            shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK)
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

namespace {
// The value's bytes if it exists with type `type`.
std::optional<std::vector<BYTE>> UserValue(const wchar_t* key, const wchar_t* name, DWORD type) {
    DWORD found = 0, size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &found, nullptr, &size) !=
            ERROR_SUCCESS ||
        found != type)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, data.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}
}  // namespace

bool UserKeyExists(const wchar_t* key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(handle);
    return true;
}

std::optional<std::wstring> UserString(const wchar_t* key, const wchar_t* name) {
    const auto data = UserValue(key, name, REG_SZ);
    if (!data)
        return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(data->data()), data->size() / sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));  // without the terminating zero
    return text;
}

std::optional<DWORD> UserDword(const wchar_t* key, const wchar_t* name) {
    const auto data = UserValue(key, name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD))
        return std::nullopt;
    return *reinterpret_cast<const DWORD*>(data->data());
}

FolderFiles FilesIn(const std::wstring& folder) {
    FolderFiles files;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return files;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        files.names.push_back(name);
        files.bytes += (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    std::sort(files.names.begin(), files.names.end());
    return files;
}

bool SameBytes(const std::wstring& a, const std::wstring& b) {
    std::ifstream fa(a.c_str(), std::ios::binary), fb(b.c_str(), std::ios::binary);
    if (!fa || !fb)
        return false;
    return std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}
