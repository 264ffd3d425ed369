#include "CacheTree.h"

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>
#include <functional>

#include "CleanCacheDlg.h"
#include "support/Handles.h"

namespace {

// About the size of a small script or image of a game page.
const std::string kFileContent(1024, 'x');
// Where the platform's URL cache keeps its folders, in the temporary
// Internet files, and the name of the index it keeps in use there (and in
// the cookies folder), which the veil cannot delete either.
constexpr wchar_t kUrlCacheContainer[] = L"\\Content.IE5";
constexpr wchar_t kUrlCacheIndex[] = L"index.dat";

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE);
    return path;
}

std::wstring FolderFile(int folder, int file) {
    return InternetCacheFolder() + L"\\assets" + std::to_wstring(folder) + L"\\part" + std::to_wstring(file) + L".js";
}

std::wstring PageAddress(int entry) {
    return L"http://cdn.game.test/page" + std::to_wstring(entry) + L".png";
}

bool IsUrlCacheIndex(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1) == kUrlCacheIndex;
}

bool IsCookieEntry(int entry) {
    return entry % 10 == 0;
}

bool WriteSmallFile(const wchar_t* path) {
    FileHandle file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.Valid() &&
           ::WriteFile(file.Get(), kFileContent.data(), static_cast<DWORD>(kFileContent.size()), &written, nullptr);
}

bool AddUrlCacheEntry(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryW(url.c_str(), 0, L"bin", file, 0) || !WriteSmallFile(file))
        return false;
    FILETIME never{};
    return ::CommitUrlCacheEntryW(url.c_str(), file, never, never, type, nullptr, 0, L"bin", nullptr) != FALSE;
}

// Calls `visit` with the path of every entry of `folder` but "." and ".."
// and whether it is a folder one may enter (a folder, not a link).
template <class Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW fd;
    FindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &fd));
    for (bool more = find.Valid(); more; more = ::FindNextFileW(find.Get(), &fd) != FALSE) {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..")
            visit(folder + L"\\" + name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                              !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT));
    }
}

// Calls `visit` for every entry at any depth inside `folder`, children
// before their folder.
void WalkDepthFirst(const std::wstring& folder, const std::function<void(const std::wstring&, bool)>& visit) {
    ForEachEntry(folder, [&](const std::wstring& path, bool isFolder) {
        if (isFolder)
            WalkDepthFirst(path, visit);
        visit(path, isFolder);
    });
}

// `count` indexes spread evenly over [0, total).
std::vector<int> Spread(int total, int count) {
    std::vector<int> indexes;
    for (int i = 0; i < count && total > 0; ++i)
        indexes.push_back(static_cast<int>(static_cast<long long>(i) * total / count));
    return indexes;
}

}  // namespace

std::wstring InternetCacheFolder() {
    return SpecialFolder(CSIDL_INTERNET_CACHE);
}

std::wstring CookiesFolder() {
    return SpecialFolder(CSIDL_COOKIES);
}

std::vector<std::wstring> UrlCacheFolders() {
    // Asking for an entry opens the cache, which makes its index and its
    // folders when there are none yet.
    DWORD size = 0;
    if (HANDLE find = ::FindFirstUrlCacheEntryW(nullptr, nullptr, &size))
        ::FindCloseUrlCache(find);
    std::vector<std::wstring> folders;
    ForEachEntry(InternetCacheFolder() + kUrlCacheContainer, [&](const std::wstring& path, bool isFolder) {
        if (isFolder)
            folders.push_back(path);
    });
    return folders;
}

bool MakeCacheFolders(const CacheLoad& load) {
    bool ok = true;
    for (int f = 0; f < load.folders; ++f) {
        const std::wstring folder = InternetCacheFolder() + L"\\assets" + std::to_wstring(f);
        ok &= ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
        for (int i = 0; i < load.filesPerFolder; ++i)
            ok &= WriteSmallFile(FolderFile(f, i).c_str());
    }
    return ok;
}

bool MakeUrlCacheEntries(const CacheLoad& load) {
    bool ok = true;
    for (int i = 0; i < load.urlEntries; ++i)
        ok &= IsCookieEntry(i)
                  ? AddUrlCacheEntry(L"Cookie:player@game" + std::to_wstring(i) + L".test/", COOKIE_CACHE_ENTRY)
                  : AddUrlCacheEntry(PageAddress(i), NORMAL_CACHE_ENTRY);
    return ok;
}

int PlainDeleteWalk(const std::wstring& folder) {
    int deleted = 0;
    WalkDepthFirst(folder, [&](const std::wstring& path, bool isFolder) {
        if (isFolder)
            ::RemoveDirectoryW(path.c_str());
        else if (!IsUrlCacheIndex(path))
            deleted += ::DeleteFileW(path.c_str()) != FALSE;
    });
    return deleted;
}

int CountFiles(const std::wstring& folder) {
    int files = 0;
    WalkDepthFirst(folder, [&](const std::wstring&, bool isFolder) { files += !isFolder; });
    return files;
}

void EmptyCache(const std::vector<std::wstring>& urlCacheFolders) {
    CCleanCacheDlg cleaner;
    cleaner.CleanUrlCache(1);
    cleaner.CleanUrlCache(0);
    PlainDeleteWalk(CookiesFolder());
    PlainDeleteWalk(InternetCacheFolder());
    ::CreateDirectoryW((InternetCacheFolder() + kUrlCacheContainer).c_str(), nullptr);
    for (const std::wstring& folder : urlCacheFolders)
        ::CreateDirectoryW(folder.c_str(), nullptr);
}

std::vector<std::wstring> SampleFiles(const CacheLoad& load, int count) {
    std::vector<std::wstring> files;
    for (int folder : Spread(load.folders, count))
        files.push_back(FolderFile(folder, 0));
    return files;
}

std::vector<std::wstring> SampleAddresses(const CacheLoad& load, int count) {
    std::vector<std::wstring> addresses;
    for (int entry : Spread(load.urlEntries, count))
        addresses.push_back(PageAddress(IsCookieEntry(entry) ? entry + 1 : entry));
    return addresses;
}

int FilesPresent(const std::vector<std::wstring>& files) {
    int present = 0;
    for (const std::wstring& file : files)
        present += ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    return present;
}

int EntriesPresent(const std::vector<std::wstring>& addresses) {
    int present = 0;
    for (const std::wstring& address : addresses) {
        DWORD size = 0;
        // Asked without a buffer, an existing entry only wants a larger one.
        present += ::GetUrlCacheEntryInfoW(address.c_str(), nullptr, &size) ||
                   ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    }
    return present;
}
