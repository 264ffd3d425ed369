// The cache cleaner from the game window's title bar, on a prefix whose
// browser stores hold thousands of entries and files: afterwards they are
// gone, and the game goes on.
#include <shlobj.h>
#include <wininet.h>

#include "CacheSeed.h"
#include "JourneyFixture.h"
#include "Player.h"
#include "Screenshot.h"
#include "resource.h"
#include "support/Wait.h"

namespace {
constexpr int kPages = 1500, kCookies = 500, kFilesPerFolder = 1500;
const wchar_t kPageUrls[] = L"http://pages.e2e.test/page";
const wchar_t kCookieUrls[] = L"Cookie:player@cookies.e2e.test/";
const wchar_t kSeedName[] = L"e2e-seed-";
}  // namespace

TEST_F(Journey, CleanCache) {
    Step("fill the browser's stores");
    const std::wstring cache = SpecialFolder(CSIDL_INTERNET_CACHE), cookies = SpecialFolder(CSIDL_COOKIES);
    ASSERT_FALSE(cache.empty());
    ASSERT_FALSE(cookies.empty());
    ASSERT_EQ(AddCacheEntries(kPageUrls, kPages, NORMAL_CACHE_ENTRY), kPages);
    ASSERT_EQ(AddCacheEntries(kCookieUrls, kCookies, COOKIE_CACHE_ENTRY), kCookies);
    ASSERT_EQ(CountCacheEntries(kPageUrls), kPages);
    ASSERT_EQ(CountCacheEntries(kCookieUrls), kCookies);
    for (const std::wstring& folder : {cache, cookies}) {
        ASSERT_EQ(AddFiles(folder, kSeedName, kFilesPerFolder), kFilesPerFolder);
        ASSERT_TRUE(WriteSmallFile(folder + L"\\desktop.ini"));
    }

    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_NO_FATAL_FAILURE(LogIn());

    Step("clean the cache: the veil shows over the work area");
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_CLEAN));
    HWND veil = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (veil = Windows().Veil()) != nullptr; }, 20000)) << "no veil";
    const RECT work = WorkArea();
    EXPECT_TRUE(SameRect(WindowRect(veil), RECT{0, 0, work.right - work.left, work.bottom - work.top}))
        << RectText(WindowRect(veil));
    const LayeredAttributes dimmed = LayeredAttributesOf(veil);
    EXPECT_TRUE(dimmed.read);
    EXPECT_EQ(dimmed.key, 0x000000FFu);  // red, fully transparent
    EXPECT_EQ(dimmed.alpha, 150);
    // The template's text, or one of the animation's while it runs.
    const std::wstring status = ControlText(veil, IDC_CLEAN_TEXT);
    const std::wstring kStatus = L"缓存清理中,请稍后(按ESC取消)";
    EXPECT_TRUE(status == kStatus + L"..." || status == kStatus || status == kStatus + L"." ||
                status == kStatus + L"..")
        << testing::PrintToString(status);
    if (ShotsWanted()) {
        Shot("cleaner-veil", veil);
        EXPECT_TRUE(::IsWindowVisible(veil)) << "the clean ended before the picture was taken";
    }

    Step("the veil goes when the clean is done");
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(veil); }, 90000)) << "the clean never ended";
    EXPECT_EQ(CountCacheEntries(kPageUrls), 0);
    EXPECT_EQ(CountCacheEntries(kCookieUrls), 0);
    for (const std::wstring& folder : {cache, cookies}) {
        EXPECT_EQ(CountNamed(folder, kSeedName), 0) << "left in " << testing::PrintToString(folder);
        EXPECT_TRUE(Exists(folder));
        EXPECT_TRUE(Exists(folder + L"\\desktop.ini"));
    }

    Step("the game goes on");
    DWORD_PTR answer = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(m_game, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(Windows().Game(), m_game);
    EXPECT_TRUE(::IsWindowVisible(m_game));
    EXPECT_TRUE(SameRect(WindowRect(m_game), RECT{0, 0, work.right - work.left, work.bottom - work.top}));
    KeysReachTheGamePage();

    Step("quit from the title bar");
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_CLOSE));
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kQuitTitle, kQuitText));
    ASSERT_NO_FATAL_FAILURE(Confirm());
    EXPECT_EQ(ExitCode(), 16u);
}
