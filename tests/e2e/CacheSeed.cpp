#include "CacheSeed.h"

#include <shlobj.h>
#include <wininet.h>

#include <vector>

#include "support/Handles.h"

namespace {
constexpr int kFilesPerFolder = 250;

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// One cache entry with its own file, as the browser makes them.
bool AddCacheEntry(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryW(url.c_str(), 0, L"htm", file, 0) || !WriteSmallFile(file))
        return false;
    const FILETIME never{};
    return ::CommitUrlCacheEntryW(url.c_str(), file, never, never, type, nullptr, 0, L"htm", nullptr) != FALSE;
}

// The cache search's buffer, sized as each entry asks.
class CacheEntryBuffer {
public:
    INTERNET_CACHE_ENTRY_INFOW* Entry() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(m_bytes.data()); }
    DWORD* Size() { return &m_size; }
    void Fit() {
        m_bytes.assign(m_size > sizeof(INTERNET_CACHE_ENTRY_INFOW) ? m_size : 4096, 0);
        m_size = static_cast<DWORD>(m_bytes.size());
    }

private:
    std::vector<BYTE> m_bytes;
    DWORD m_size = 0;
};
}  // namespace

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE);
    return path;
}

int AddCacheEntries(const std::wstring& urlPrefix, int count, DWORD type) {
    int made = 0;
    for (int i = 0; i < count; ++i)
        made += AddCacheEntry(urlPrefix + std::to_wstring(i) + L"/", type);
    return made;
}

int CountCacheEntries(const std::wstring& urlPrefix) {
    CacheEntryBuffer buffer;
    ::FindFirstUrlCacheEntryW(nullptr, nullptr, buffer.Size());
    buffer.Fit();
    const CacheFindHandle search(::FindFirstUrlCacheEntryW(nullptr, buffer.Entry(), buffer.Size()));
    if (!search.Valid())
        return 0;
    int count = 0;
    do {
        count += StartsWith(buffer.Entry()->lpszSourceUrlName, urlPrefix);
        *buffer.Size() = 0;
        ::FindNextUrlCacheEntryW(search.Get(), nullptr, buffer.Size());
        buffer.Fit();
    } while (::FindNextUrlCacheEntryW(search.Get(), buffer.Entry(), buffer.Size()));
    return count;
}

int AddFiles(const std::wstring& folder, const std::wstring& namePrefix, int count) {
    int made = 0;
    for (int i = 0; i < count; ++i) {
        const std::wstring sub = folder + L"\\" + namePrefix + L"folder" + std::to_wstring(i / kFilesPerFolder);
        if (i % kFilesPerFolder == 0)
            ::CreateDirectoryW(sub.c_str(), nullptr);
        const std::wstring file = sub + L"\\" + namePrefix + std::to_wstring(i) + L".dat";
        made += WriteSmallFile(file);
    }
    // The cleaner clears the read-only bit before deleting.
    if (count > 0)
        ::SetFileAttributesW((folder + L"\\" + namePrefix + L"folder0\\" + namePrefix + L"0.dat").c_str(),
                             FILE_ATTRIBUTE_READONLY);
    return made;
}

int CountNamed(const std::wstring& folder, const std::wstring& namePrefix) {
    WIN32_FIND_DATAW found;
    const FindHandle search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!search.Valid())
        return 0;
    int count = 0;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        count += StartsWith(name, namePrefix);
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                              !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        if (isFolder)
            count += CountNamed(folder + L"\\" + name, namePrefix);
    } while (::FindNextFileW(search.Get(), &found));
    return count;
}

bool WriteSmallFile(const std::wstring& path) {
    const FileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    static const char kText[] = "<html>cached</html>";
    DWORD written = 0;
    return file.Valid() && ::WriteFile(file.Get(), kText, sizeof(kText) - 1, &written, nullptr) &&
           written == sizeof(kText) - 1;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
