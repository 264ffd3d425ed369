#include "DirectClean.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>
#include <vector>

#include "Clock.h"
#include "support/Handles.h"

namespace {

// Adds the time of one call to its kind.
template <class Call>
auto Timed(double& into, Call call) {
    const double start = NowMs();
    auto result = call();
    into += NowMs() - start;
    return result;
}

class Cleaner {
public:
    explicit Cleaner(DirectCleanFigures& f) : m_f(f) {}

    void UrlPass(bool cookies) {
        std::vector<BYTE> buffer;
        HANDLE find = nullptr;
        bool found = Fetch(buffer, [&](void* entry, DWORD* size) {
            find = ::FindFirstUrlCacheEntryW(nullptr, static_cast<INTERNET_CACHE_ENTRY_INFOW*>(entry), size);
            return find != nullptr;
        });
        while (found) {
            const auto* entry = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
            ++m_f.entries;
            if (((entry->CacheEntryType & COOKIE_CACHE_ENTRY) != 0) == cookies)
                Timed(m_f.deleteEntryMs, [&] { return ::DeleteUrlCacheEntryW(entry->lpszSourceUrlName); });
            found = Fetch(buffer, [&](void* next, DWORD* size) {
                return ::FindNextUrlCacheEntryW(find, static_cast<INTERNET_CACHE_ENTRY_INFOW*>(next), size) != FALSE;
            });
        }
        if (find != nullptr)
            ::FindCloseUrlCache(find);
    }

    void Walk(const std::wstring& folder) {
        const std::wstring finalFolder = FinalPath(folder);
        if (!finalFolder.empty())
            Empty(folder, finalFolder);
    }

private:
    // A size query, then the fetch into a buffer of that size (again while
    // the entry keeps growing), as the worker asks.
    template <class Ask>
    bool Fetch(std::vector<BYTE>& buffer, Ask ask) {
        return Timed(m_f.enumerateMs, [&] {
            DWORD size = 0;
            ask(nullptr, &size);
            buffer.assign(size ? size : sizeof(INTERNET_CACHE_ENTRY_INFOW), 0);
            for (;;) {
                size = static_cast<DWORD>(buffer.size());
                if (ask(buffer.data(), &size))
                    return true;
                if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size())
                    return false;
                buffer.assign(size, 0);
            }
        });
    }

    std::wstring FinalPath(const std::wstring& path) {
        return Timed(m_f.resolveMs, [&] {
            const FileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
            wchar_t resolved[MAX_PATH * 2];
            const DWORD length = file.Valid() ? ::GetFinalPathNameByHandleW(file.Get(), resolved, MAX_PATH * 2, 0) : 0;
            return length > 0 && length < MAX_PATH * 2 ? std::wstring(resolved, length) : std::wstring();
        });
    }

    static bool Inside(const std::wstring& entry, const std::wstring& folder) {
        return entry.size() > folder.size() && entry[folder.size()] == L'\\' &&
               ::CompareStringOrdinal(entry.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                      static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
    }

    void Empty(const std::wstring& folder, const std::wstring& finalFolder) {
        WIN32_FIND_DATAW fd;
        FindHandle find(Timed(m_f.listMs, [&] { return ::FindFirstFileW((folder + L"\\*.*").c_str(), &fd); }));
        for (bool more = find.Valid(); more;
             more = Timed(m_f.listMs, [&] { return ::FindNextFileW(find.Get(), &fd) != FALSE; })) {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L".." || name == L"desktop.ini" ||
                (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                continue;  // links: none in this tree
            const std::wstring path = folder + L"\\" + name;
            const std::wstring entryFinal = FinalPath(path);
            if (!Inside(entryFinal, finalFolder))
                continue;
            Timed(m_f.attributesMs, [&] {
                const DWORD attributes = ::GetFileAttributesW(path.c_str());
                if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
                    ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
                return attributes;
            });
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                Empty(path, entryFinal);
                Timed(m_f.removeFolderMs, [&] { return ::RemoveDirectoryW(path.c_str()); });
                continue;
            }
            ++m_f.files;
            std::vector<wchar_t> from(path.begin(), path.end());
            from.resize(from.size() + 2, 0);  // a list of one, ended by an empty entry
            SHFILEOPSTRUCTW op{};
            op.wFunc = FO_DELETE;
            op.pFrom = from.data();
            op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
            Timed(m_f.deleteFileMs, [&] { return ::SHFileOperationW(&op); });
        }
    }

    DirectCleanFigures& m_f;
};

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
    return path;
}

}  // namespace

DirectCleanFigures CleanDirectly() {
    DirectCleanFigures f;
    Cleaner cleaner(f);
    const double start = NowMs();
    cleaner.UrlPass(true);
    const double cookiePass = NowMs();
    cleaner.Walk(SpecialFolder(CSIDL_COOKIES));
    const double cookieWalk = NowMs();
    cleaner.UrlPass(false);
    const double pagePass = NowMs();
    cleaner.Walk(SpecialFolder(CSIDL_INTERNET_CACHE));
    const double end = NowMs();
    f.cookiePassMs = cookiePass - start;
    f.cookieWalkMs = cookieWalk - cookiePass;
    f.pagePassMs = pagePass - cookieWalk;
    f.cacheWalkMs = end - pagePass;
    f.totalMs = end - start;
    return f;
}
