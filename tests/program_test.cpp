// The built programs as a player's system sees them: exit codes, and what a
// run leaves behind in the registry and on disk.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <map>
#include <string>

#include "support/Module.h"

namespace {

struct FileState {
    ULONGLONG size;
    FILETIME written;
    bool operator==(const FileState& o) const {
        return size == o.size && CompareFileTime(&written, &o.written) == 0;
    }
};
using Snapshot = std::map<std::wstring, FileState>;

void Walk(const std::wstring& folder, Snapshot& out) {
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            Walk(path, out);
        else
            out[path] = {(ULONGLONG{fd.nFileSizeHigh} << 32) | fd.nFileSizeLow, fd.ftLastWriteTime};
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
}

std::wstring Lower(std::wstring s) {
    for (auto& c : s)
        c = static_cast<wchar_t>(towlower(c));
    return s;
}

// Where the platform's own web stores live; a run may touch those.
bool InWebStores(const std::wstring& path) {
    const int stores[] = {CSIDL_INTERNET_CACHE, CSIDL_COOKIES, CSIDL_HISTORY};
    for (int csidl : stores) {
        wchar_t folder[MAX_PATH];
        if (::SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE) && Lower(path).rfind(Lower(folder), 0) == 0)
            return true;
    }
    return false;
}

std::wstring Changes(const Snapshot& before, const Snapshot& after) {
    std::wstring changes;
    for (const auto& [path, state] : after) {
        auto it = before.find(path);
        if ((it == before.end() || !(it->second == state)) && !InWebStores(path))
            changes += path + L"\n";
    }
    for (const auto& [path, state] : before)
        if (after.find(path) == after.end() && !InWebStores(path))
            changes += L"(removed) " + path + L"\n";
    return changes;
}

bool KeyExists(HKEY root, const wchar_t* subKey) {
    HKEY key;
    if (::RegOpenKeyExW(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

constexpr wchar_t kFrameworkKey[] = L"Software\\应用程序向导生成的本地应用程序";

}  // namespace

TEST(Program, ClosingTheBackdropEndsWithCodeZeroAndLeavesNothingBehind) {
    Snapshot before;
    Walk(L"C:", before);
    ASSERT_GT(before.size(), 100u);  // the walk sees the prefix's files

    ChildProcess launcher(L"\"" + BuiltFile(L"launcher.exe") + L"\"");
    ASSERT_TRUE(launcher.Started());
    HWND backdrop = launcher.FindTopWindow(L"Vesmera", 20000);
    ASSERT_NE(backdrop, nullptr) << "the login window never showed";
    // Enter and Escape do not end the run.
    ::PostMessageW(backdrop, WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageW(backdrop, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageW(backdrop, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(20000), 0u);

    Snapshot after;
    Walk(L"C:", after);
    EXPECT_EQ(Changes(before, after), L"");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kFrameworkKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kFrameworkKey));
}

TEST(Program, QuitPostedInsideANestedModalRunIsTheExitCode) {
    ChildProcess fixture(L"\"" + BuiltFile(L"fixture_app.exe") + L"\"");
    ASSERT_TRUE(fixture.Started());
    EXPECT_EQ(fixture.WaitForExit(20000), 16u);
}
