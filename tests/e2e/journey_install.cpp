// The setup program as a player meets it: refused while the launcher runs,
// run through its pages once the player has closed the launcher, run again
// silently over the installed copy; the launcher started from its shortcut;
// the uninstaller refused while that runs, then run as the installed-programs
// entry says. run-journey.sh checks afterwards that the uninstall took
// everything away.
#include <shlobj.h>

#include <cstdlib>

#include "Installation.h"
#include "JourneyFixture.h"
#include "Player.h"
#include "support/Wait.h"

namespace {
constexpr DWORD kStepMs = 30000;
constexpr DWORD kStoppedByScript = 2;  // the setup program's exit code when it refuses
const wchar_t kProduct[] = L"Vesmera";
const wchar_t kWizardTitle[] = L"Vesmera 安装";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vesmera";
const wchar_t kEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

std::wstring SetupProgram() {
    const wchar_t* path = _wgetenv(L"E2E_SETUP");
    return path != nullptr ? path : L"";
}

std::wstring InstallFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\" + kProduct;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

struct ChildSearch {
    bool (*match)(HWND);
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (!::IsWindowVisible(child) || !search->match(child))
        return TRUE;
    search->found = child;
    return FALSE;
}

// A visible descendant of `window` that `match` accepts.
HWND Descendant(HWND window, bool (*match)(HWND)) {
    ChildSearch search{match, nullptr};
    ::EnumChildWindows(window, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsCheckBox(HWND window) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    const LONG type = ::GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(name, L"Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX);
}

bool SaysLauncherRuns(HWND window) {
    return Text(window).find(L"正在运行") != std::wstring::npos;
}

// A visible top-level window of `pid` with this title that holds control `id`.
HWND WindowWith(DWORD pid, const wchar_t* title, int id) {
    for (HWND window : LauncherWindows(pid).All())
        if (::IsWindowVisible(window) && Text(window) == title && ::GetDlgItem(window, id) != nullptr)
            return window;
    return nullptr;
}

// The shortcut in the Start menu's programs (CSIDL_PROGRAMS) or on the
// desktop (CSIDL_DESKTOPDIRECTORY).
std::wstring Shortcut(int folder) {
    return ShellFolder(folder) + L"\\" + kProduct + L".lnk";
}

// The silent setup program's exit code.
DWORD SilentSetup() {
    ChildProcess setup(Quoted(SetupProgram()) + L" /S");
    return setup.WaitForExit(kStepMs);
}

bool NothingInstalled() {
    return ::GetFileAttributesW(InstallFolder().c_str()) == INVALID_FILE_ATTRIBUTES && !UserKeyExists(kUninstallKey);
}
}  // namespace

TEST_F(Journey, Install) {
    ASSERT_FALSE(SetupProgram().empty()) << "E2E_SETUP names no setup program";
    ASSERT_TRUE(NothingInstalled());

    Step("the built launcher runs: a silent setup refuses and changes nothing");
    ParkPointer();
    auto running = std::make_unique<ChildProcess>(Quoted(BuiltFile(L"launcher.exe")));
    HWND login = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (login = LauncherWindows(running->Pid()).Backdrop()) != nullptr; }, kStepMs));
    EXPECT_EQ(SilentSetup(), kStoppedByScript);
    EXPECT_TRUE(NothingInstalled());

    Step("the setup's pages: it asks to close the launcher first");
    ChildProcess wizard(Quoted(SetupProgram()));
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (prompt = WindowWith(wizard.Pid(), kWizardTitle, IDRETRY)) != nullptr; },
                          kStepMs))
        << "no request to close the launcher";
    EXPECT_NE(Descendant(prompt, &SaysLauncherRuns), nullptr);
    EXPECT_NE(::GetDlgItem(prompt, IDCANCEL), nullptr);
    Shot("installer-launcher-running", prompt);
    ::PostMessageW(login, WM_CLOSE, 0, 0);
    ASSERT_EQ(running->WaitForExit(kStepMs), 0u);
    running.reset();
    m_log.Clear();  // the installed launcher's run is checked on its own
    EXPECT_TRUE(NothingInstalled());

    Step("retry: the welcome page, then install");
    ASSERT_TRUE(ClickControl(prompt, IDRETRY));
    HWND pages = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (pages = WindowWith(wizard.Pid(), kWizardTitle, IDOK)) != nullptr; }, kStepMs))
        << "no welcome page";
    Shot("installer-welcome", pages);
    Settle(pages);
    ASSERT_TRUE(ClickControl(pages, IDOK));
    HWND runLauncher = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (runLauncher = Descendant(pages, &IsCheckBox)) != nullptr; }, kStepMs))
        << "no finish page";
    Shot("installer-finish", pages);
    Settle(pages);
    ClickMiddle(runLauncher);  // the player does not want it started now
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(runLauncher, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, kStepMs));
    ASSERT_TRUE(ClickControl(pages, IDOK));
    ASSERT_EQ(wizard.WaitForExit(kStepMs), 0u);

    Step("a silent setup over the installed copy");
    ASSERT_EQ(SilentSetup(), 0u);

    Step("the files, the shortcuts, the installed-programs entry and the document mode");
    const std::wstring folder = InstallFolder();
    const std::wstring launcher = folder + L"\\launcher.exe";
    const FolderFiles files = FilesIn(folder);
    EXPECT_EQ(files.names, (std::vector<std::wstring>{L"launcher.exe", L"uninstall.exe"}));
    EXPECT_TRUE(SameBytes(launcher, BuiltFile(L"launcher.exe")));
    EXPECT_EQ(ShortcutTarget(Shortcut(CSIDL_PROGRAMS)), launcher);
    EXPECT_EQ(ShortcutTarget(Shortcut(CSIDL_DESKTOPDIRECTORY)), launcher);

    const std::wstring uninstaller = Quoted(folder + L"\\uninstall.exe");
    EXPECT_EQ(UserString(kUninstallKey, L"DisplayName"), kProduct);
    EXPECT_EQ(UserString(kUninstallKey, L"DisplayVersion"), E2E_VERSION);
    EXPECT_EQ(UserString(kUninstallKey, L"Publisher"), kProduct);
    EXPECT_EQ(UserString(kUninstallKey, L"DisplayIcon"), launcher);
    EXPECT_EQ(UserString(kUninstallKey, L"InstallLocation"), folder);
    EXPECT_EQ(UserString(kUninstallKey, L"UninstallString"), uninstaller);
    EXPECT_EQ(UserString(kUninstallKey, L"QuietUninstallString"), uninstaller + L" /S");
    const std::optional<DWORD> size = UserDword(kUninstallKey, L"EstimatedSize");
    ASSERT_TRUE(size.has_value());
    EXPECT_NEAR(static_cast<double>(*size), static_cast<double>(files.bytes) / 1024, 1.0);
    EXPECT_EQ(UserDword(kUninstallKey, L"NoModify"), 1u);
    EXPECT_EQ(UserDword(kUninstallKey, L"NoRepair"), 1u);
    if (E2E_DOCUMENT_MODE != 0)
        EXPECT_EQ(UserDword(kEmulationKey, L"launcher.exe"), static_cast<DWORD>(E2E_DOCUMENT_MODE));
    else
        EXPECT_FALSE(UserDword(kEmulationKey, L"launcher.exe").has_value());

    // The login page shows through the stand-in browser control.
    ASSERT_NO_FATAL_FAILURE(StartLauncher(ShortcutTarget(Shortcut(CSIDL_DESKTOPDIRECTORY))));

    Step("the installed launcher runs: the uninstaller refuses and changes nothing");
    {
        // In place (_?=), so that its own exit code comes back.
        ChildProcess refused(uninstaller + L" /S _?=" + folder);
        EXPECT_EQ(refused.WaitForExit(kStepMs), kStoppedByScript);
    }
    EXPECT_EQ(FilesIn(folder).names, files.names);
    EXPECT_TRUE(UserKeyExists(kUninstallKey));
    EXPECT_EQ(ShortcutTarget(Shortcut(CSIDL_DESKTOPDIRECTORY)), launcher);
    ::PostMessageW(m_backdrop, WM_CLOSE, 0, 0);
    ASSERT_EQ(ExitCode(), 0u);

    Step("uninstall as the installed-programs entry says");
    const std::optional<std::wstring> quiet = UserString(kUninstallKey, L"QuietUninstallString");
    ASSERT_TRUE(quiet.has_value());
    // It hands over to its copy in the temporary folder and returns at once;
    // run-journey.sh waits for the copy.
    ChildProcess uninstall(*quiet);
    EXPECT_EQ(uninstall.WaitForExit(kStepMs), 0u);
}
