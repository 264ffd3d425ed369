// The cache cleaner on the prefix's real URL cache and folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <wininet.h>
#include <functional>
#include <map>
#include <string>

#include "CleanCacheDlg.h"
#include "support/Script.h"
#include "support/UnixLink.h"
#include "support/Wait.h"

namespace {

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE);
    return path;
}

void WriteFile(const std::wstring& path, const char* text = "x") {
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(f, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    ::CloseHandle(f);
}

std::string ReadAll(const std::wstring& path) {
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ::ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(f);
    bytes.resize(read);
    return bytes;
}

bool ReadOnly(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int CountFolder(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L".."))
            ++count;
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    return count;
}

// A cache entry with a file of its own, as the browser makes them.
bool AddCacheEntry(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryW(url.c_str(), 0, L"txt", file, 0))
        return false;
    WriteFile(file, "cached");
    FILETIME none{};
    return ::CommitUrlCacheEntryW(url.c_str(), file, none, none, type, nullptr, 0, L"txt", nullptr) != FALSE;
}

// Counts cache entries, split by whether they are cookie entries.
void CountEntries(int* cookies, int* others) {
    *cookies = *others = 0;
    DWORD size = 0;
    ::FindFirstUrlCacheEntryW(nullptr, nullptr, &size);
    std::vector<BYTE> buffer(size ? size : 4096);
    size = static_cast<DWORD>(buffer.size());
    HANDLE find = ::FindFirstUrlCacheEntryW(nullptr, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data()), &size);
    if (find == nullptr)
        return;
    do {
        auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
        ++((entry->CacheEntryType & COOKIE_CACHE_ENTRY) ? *cookies : *others);
        size = 0;
        ::FindNextUrlCacheEntryW(find, nullptr, &size);
        buffer.assign(size ? size : 4096, 0);
        size = static_cast<DWORD>(buffer.size());
    } while (::FindNextUrlCacheEntryW(find, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data()), &size));
    ::FindCloseUrlCache(find);
}

void FillCache(int pages, int cookies) {
    for (int i = 0; i < pages; ++i)
        ASSERT_TRUE(AddCacheEntry(L"http://cache.test/page" + std::to_wstring(i) + L".html", NORMAL_CACHE_ENTRY));
    for (int i = 0; i < cookies; ++i)
        ASSERT_TRUE(AddCacheEntry(L"Cookie:player@cookie" + std::to_wstring(i) + L".test/", COOKIE_CACHE_ENTRY));
}

class Cleaner : public ::testing::Test {
protected:
    void SetUp() override {
        ::GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"cleaner-" + std::to_wstring(::GetTickCount64());
        ::CreateDirectoryW(root.c_str(), nullptr);
    }
    wchar_t temp[MAX_PATH] = {};
    std::wstring root;
};

}  // namespace

TEST_F(Cleaner, EachPassDeletesOnlyItsKindAndBothTogetherEverything) {
    CCleanCacheDlg dlg;
    dlg.CleanUrlCache(0);
    dlg.CleanUrlCache(1);
    FillCache(6, 4);
    int cookies = 0, others = 0;
    CountEntries(&cookies, &others);
    ASSERT_GE(cookies, 4);
    ASSERT_GE(others, 6);

    EXPECT_TRUE(dlg.CleanUrlCache(1));
    CountEntries(&cookies, &others);
    EXPECT_EQ(cookies, 0);
    EXPECT_GE(others, 6);

    FillCache(0, 3);
    EXPECT_TRUE(dlg.CleanUrlCache(0));
    CountEntries(&cookies, &others);
    EXPECT_EQ(others, 0);
    EXPECT_EQ(cookies, 3);
    dlg.CleanUrlCache(1);
    CountEntries(&cookies, &others);
    EXPECT_EQ(cookies + others, 0);
    EXPECT_FALSE(dlg.CleanUrlCache(0));  // an empty cache has no first entry
}

TEST_F(Cleaner, FolderWalkKeepsDesktopIniDeletesReadOnlyAndNeverFollowsLinks) {
    const std::wstring outside = root + L"-outside";
    ::CreateDirectoryW(outside.c_str(), nullptr);
    WriteFile(outside + L"\\precious.doc");
    ::CreateDirectoryW((outside + L"\\sub").c_str(), nullptr);
    WriteFile(outside + L"\\sub\\more.doc");

    WriteFile(root + L"\\a.html");
    WriteFile(root + L"\\desktop.ini");
    WriteFile(root + L"\\readonly.txt");
    ::SetFileAttributesW((root + L"\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryW((root + L"\\kept").c_str(), nullptr);
    WriteFile(root + L"\\kept\\desktop.ini");
    WriteFile(root + L"\\kept\\b.js");
    ::CreateDirectoryW((root + L"\\gone").c_str(), nullptr);
    WriteFile(root + L"\\gone\\Desktop.ini");
    ::CreateDirectoryW((root + L"\\lockedfolder").c_str(), nullptr);
    WriteFile(root + L"\\lockedfolder\\c.css");
    ::SetFileAttributesW((root + L"\\lockedfolder").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(MakeUnixSymlink(outside, root + L"\\link"));
    ASSERT_TRUE(::GetFileAttributesW((root + L"\\link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    CCleanCacheDlg dlg;
    EXPECT_TRUE(dlg.DeleteFolderContents(root));
    EXPECT_TRUE(Exists(root));
    EXPECT_FALSE(Exists(root + L"\\a.html"));
    EXPECT_TRUE(Exists(root + L"\\desktop.ini"));
    EXPECT_FALSE(Exists(root + L"\\readonly.txt"));
    EXPECT_TRUE(Exists(root + L"\\kept\\desktop.ini"));
    EXPECT_FALSE(Exists(root + L"\\kept\\b.js"));
    EXPECT_FALSE(Exists(root + L"\\gone"));  // "Desktop.ini" is not the kept name
    EXPECT_FALSE(Exists(root + L"\\lockedfolder"));
    // Whatever the link points to survives (Wine cannot remove the link).
    EXPECT_TRUE(Exists(outside + L"\\precious.doc"));
    EXPECT_TRUE(Exists(outside + L"\\sub\\more.doc"));

    EXPECT_FALSE(dlg.DeleteFolderContents(root + L"\\does-not-exist"));
    EXPECT_FALSE(dlg.DeleteFolderContents(L""));
    EXPECT_FALSE(dlg.DeleteFolderContents(L"C:"));
    EXPECT_FALSE(dlg.DeleteFolderContents(L"C:\\"));
}

// Links in both folders, at the top and one folder down, to files and
// folders elsewhere (writable and read-only): a clean empties the folders and
// leaves every target as it was, bytes and read-only state alike. Wine lists
// a link to a file as a plain file, and deleting or unlocking it acts on
// the target.
TEST_F(Cleaner, TheVeilLeavesAlongWhatLinksInTheCachePointTo) {
    struct Target {
        const wchar_t* name;
        bool folder, readOnly;
    };
    const Target targets[] = {
        {L"writable.txt", false, false}, {L"readonly.txt", false, true},
        {L"folder", true, false},        {L"readonly-folder", true, true},
    };
    std::vector<std::wstring> places;
    for (int csidl : {CSIDL_COOKIES, CSIDL_INTERNET_CACHE}) {
        const std::wstring top = SpecialFolder(csidl);
        places.push_back(top);
        places.push_back(top + L"\\sub");
        ::CreateDirectoryW(places.back().c_str(), nullptr);
    }
    const std::wstring outside = root + L"-targets";
    ::CreateDirectoryW(outside.c_str(), nullptr);
    std::map<std::wstring, bool> readOnlyBefore;
    auto targetPath = [&](size_t place, const Target& t) {
        return outside + L"\\" + std::to_wstring(place) + L"-" + t.name;
    };
    auto contentOf = [](size_t place, const Target& t) {
        return "kept " + std::to_string(place) + std::string(t.name, t.name + wcslen(t.name));
    };
    for (size_t p = 0; p < places.size(); ++p) {
        WriteFile(places[p] + L"\\ordinary.txt");
        for (const Target& t : targets) {
            const std::wstring target = targetPath(p, t);
            std::wstring file = target;
            if (t.folder) {
                ::CreateDirectoryW(target.c_str(), nullptr);
                file += L"\\inside.txt";
            }
            WriteFile(file, contentOf(p, t).c_str());
            if (t.readOnly)
                ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY | (t.folder ? FILE_ATTRIBUTE_DIRECTORY : 0));
            // Wine keeps no read-only state on folders: compare with what was.
            readOnlyBefore[target] = ReadOnly(target);
            const std::wstring link = places[p] + L"\\link-" + t.name;
            ASSERT_TRUE(MakeUnixSymlink(target, link));
        }
    }

    CCleanCacheDlg dlg;
    EXPECT_EQ(dlg.DoModal(), 1);

    for (size_t p = 0; p < places.size(); ++p) {
        SCOPED_TRACE(places[p]);
        EXPECT_FALSE(Exists(places[p] + L"\\ordinary.txt"));
        for (const Target& t : targets) {
            SCOPED_TRACE(t.name);
            const std::wstring target = targetPath(p, t);
            EXPECT_EQ(ReadAll(t.folder ? target + L"\\inside.txt" : target), contentOf(p, t));
            EXPECT_EQ(ReadOnly(target), readOnlyBefore.at(target));
        }
    }
    EXPECT_TRUE(Exists(places[0]));
    EXPECT_TRUE(Exists(places[2]));
    for (const std::wstring& place : places)
        for (const Target& t : targets)
            EXPECT_TRUE(RemoveUnixLink(place + L"\\link-" + t.name));
}

TEST_F(Cleaner, ACancelledStepHandlesAtMostOneMoreEntry) {
    for (int i = 0; i < 10; ++i)
        WriteFile(root + L"\\f" + std::to_wstring(i));
    CCleanCacheDlg dlg;
    dlg.CleanUrlCache(0);
    FillCache(5, 0);
    ::InterlockedExchange(&dlg.m_bCancel, TRUE);
    dlg.DeleteFolderContents(root);
    EXPECT_GE(CountFolder(root), 9);
    int cookies = 0, others = 0;
    dlg.CleanUrlCache(0);
    CountEntries(&cookies, &others);
    EXPECT_EQ(others, 4);
}

TEST_F(Cleaner, TheVeilEmptiesBothFoldersAndClosesItself) {
    const std::wstring cookies = SpecialFolder(CSIDL_COOKIES);
    const std::wstring cache = SpecialFolder(CSIDL_INTERNET_CACHE);
    WriteFile(cookies + L"\\player@site.txt");
    ::CreateDirectoryW((cache + L"\\Content.IE5").c_str(), nullptr);
    WriteFile(cache + L"\\Content.IE5\\page.htm");
    WriteFile(cache + L"\\desktop.ini");
    FillCache(3, 2);

    Script script;
    CRect veil;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    CCleanCacheDlg dlg;
    script.Then([&] {
        dlg.GetWindowRect(&veil);
        ::GetLayeredWindowAttributes(dlg.m_hWnd, &key, &alpha, &flags);
    });
    EXPECT_EQ(dlg.DoModal(), 1);

    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(veil, CRect(0, 0, work.right - work.left, work.bottom - work.top));
    EXPECT_EQ(key, 0x000000FFu);
    EXPECT_EQ(alpha, 150);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    EXPECT_TRUE(Exists(cookies));
    EXPECT_TRUE(Exists(cache));
    EXPECT_FALSE(Exists(cookies + L"\\player@site.txt"));
    EXPECT_FALSE(Exists(cache + L"\\Content.IE5\\page.htm"));
    EXPECT_TRUE(Exists(cache + L"\\desktop.ini"));
    int c = 0, o = 0;
    CountEntries(&c, &o);
    EXPECT_EQ(c + o, 0);
    EXPECT_EQ(dlg.m_hThread, nullptr);
}

TEST_F(Cleaner, EscapeAndQuitDuringALongCleanWaitForTheWorker) {
    const std::wstring cache = SpecialFolder(CSIDL_INTERNET_CACHE);
    const std::wstring bulk = cache + L"\\bulk";
    ::CreateDirectoryW(bulk.c_str(), nullptr);
    for (int i = 0; i < 3000; ++i)
        WriteFile(bulk + L"\\f" + std::to_wstring(i) + L".bin");

    {
        Script script;
        CCleanCacheDlg dlg;
        script.Then([&] { ::PostMessageW(dlg.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); });
        EXPECT_EQ(dlg.DoModal(), 1);  // the result is 1 after a cancel too
        EXPECT_EQ(dlg.m_hThread, nullptr);
        EXPECT_GT(CountFolder(bulk), 0);
    }
    {
        // A quit that arrives meanwhile goes on only once the worker is done.
        Script script;
        CCleanCacheDlg dlg;
        script.Then([&] { ::PostQuitMessage(16); });
        EXPECT_EQ(dlg.DoModal(), 1);
        EXPECT_EQ(dlg.m_hThread, nullptr);
        MSG quit;
        ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(quit.wParam, 16u);
    }
    CCleanCacheDlg().DeleteFolderContents(bulk);
    ::RemoveDirectoryW(bulk.c_str());
}
