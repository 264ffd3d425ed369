#include "GameWindowSteps.h"

#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "GameDialog.h"
#include "LoadPngImage.h"
#include "LoginApp.h"
#include "LoginSession.h"
#include "Stats.h"
#include "WinApp.h"
#include "resource.h"
#include "support/Module.h"
#include "support/Wait.h"

namespace {

constexpr wchar_t kGameAddress[] = L"http://127.0.0.1:9/play?client=1&server=3";
constexpr int kFreshWindows = 10;
constexpr DWORD kChildTimeoutMs = 180000;

// CGameDialog's OnInitDialog step for step, with a mark after each step.
// The title bar's buttons are made as InitTitleBar makes them, with their
// decodes, their sizing and drawing set-up and their tooltips timed apart.
class TimedGameDialog : public CGameDialog {
public:
    explicit TimedGameDialog(StepClock& clock) : m_clock(clock) {}

protected:
    BOOL OnInitDialog() override {
        m_clock.Mark("its window and browser control (the second of the process)");
        CDialogEx::OnInitDialog();
        SetWindowText(L"Vesmera");
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
        ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
        m_clock.Mark("data exchange, title, icons");
        m_bmpTitle.LoadBitmap(IDB_TITLE_BAR);
        m_clock.Mark("title bitmap");
        PlaceMax();
        m_clock.Mark("placed over the work area");
        m_pToolTip = new CToolTipCtrl;
        m_pToolTip->Create(this);
        m_clock.Mark("tooltip control");
        MakeTitleBarButtons();
        LayoutTitleBar();
        m_clock.Mark("title bar laid out");
        if (HWND logo = ::GetDlgItem(m_hWnd, IDC_LOGO)) {
            m_bmpLogo.LoadBitmap(IDB_LOGO);
            ::SetWindowLongW(logo, GWL_STYLE, ::GetWindowLongW(logo, GWL_STYLE) | SS_BITMAP | SS_CENTERIMAGE);
            ::SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpLogo.GetSafeHandle()));
            ::MoveWindow(logo, 0, 0, 83, kTitleHeight, TRUE);
        }
        m_clock.Mark("logo");
        m_hotKeyBoss.Register(m_hWnd, VK_F10, "F10 (the boss key)");
        m_hotKeyFull.Register(m_hWnd, VK_F11, "F11 (full screen)");
        m_clock.Mark("hotkeys F10 and F11");
        ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
        m_clock.Mark("taskbar style");
        AddTrayIcon();
        m_clock.Mark("tray icon");
        m_btnMax.ShowWindow(SW_HIDE);
        RememberAppliedMode();
        return TRUE;
    }

private:
    void MakeTitleBarButtons() {
        double startup = 0, decodes = 0, sizing = 0, tips = 0;
        double last = NowMs();
        auto lap = [&last] {
            const double now = NowMs();
            const double ms = now - last;
            last = now;
            return ms;
        };
        for (const TitleBarButton& b : TitleBarButtons()) {
            CPngButton& button = *b.button;
            button.StartGdiPlus();
            startup += lap();
            // What CPngButton::SetImage does, the decode apart from the rest.
            button.m_pImage = LoadPngImage(AfxGetResourceHandle(), static_cast<WORD>(b.image));
            decodes += lap();
            button.m_nWidth = button.m_pImage ? button.m_pImage->GetWidth() : 0;
            button.m_nHeight = button.m_pImage ? button.m_pImage->GetHeight() : 0;
            button.m_nFrameHeight = button.m_nHeight / 4;
            button.SetWindowPos(HWND_TOP, 0, 0, static_cast<int>(button.m_nWidth),
                                static_cast<int>(button.m_nFrameHeight), SWP_NOMOVE);
            if (HDC dc = button.m_windowDC.Acquire(button.m_hWnd))
                button.m_pGraphics.reset(new Gdiplus::Graphics(dc));
            sizing += lap();
            if (b.tip != nullptr && m_pToolTip->m_hWnd != nullptr)
                m_pToolTip->AddTool(b.button, b.tip);
            tips += lap();
        }
        m_clock.Add("nine image buttons: GDI+ start-up calls", startup);
        m_clock.Add("nine image buttons: their PNGs decoded (GDI+)", decodes);
        m_clock.Add("nine image buttons: sized, window DC and GDI+ graphics", sizing);
        m_clock.Add("nine image buttons: four tooltips", tips);
        m_clock.Restart();
    }

    StepClock& m_clock;
};

// What OpenGame does with the game window, and what that queues.
void HandOver(CGameDialog* game, StepClock& clock) {
    game->m_browser.Navigate(kGameAddress);
    clock.Mark("the game page's navigation begun");
    game->ShowWindow(SW_SHOWNORMAL);
    clock.Mark("shown, with the display mode applied again");
    ::SetActiveWindow(game->m_hWnd);
    clock.Mark("activated");
    PumpPending();
    clock.Mark("what the showing queued, handled");
}

// Made, hidden as GetGameDialog leaves it, then handed over: the fresh
// hand-over.
std::vector<Step> MakeAndShow() {
    StepClock clock;
    auto* game = new TimedGameDialog(clock);
    theApp.m_pGameDialog = game;
    if (!game->Create(IDD_GAME_DIALOG, nullptr))
        return {};
    clock.Mark("the dialog's creation returns");
    game->ShowWindow(SW_HIDE);
    clock.Mark("hidden (GetGameDialog)");
    HandOver(game, clock);
    return clock.Steps();
}

// Hidden as the boss key hides it, then handed over again.
std::vector<Step> HideAndShowAgain() {
    CGameDialog* game = theApp.m_pGameDialog;
    game->ShowWindow(SW_HIDE);
    PumpPending();
    StepClock clock;
    HandOver(game, clock);
    return clock.Steps();
}

std::string TempFilePath() {
    char folder[MAX_PATH], path[MAX_PATH];
    if (!::GetTempPathA(MAX_PATH, folder) || !::GetTempFileNameA(folder, "gws", 0, path))
        return {};
    return path;
}

}  // namespace

bool WriteGameWindowSteps(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return false;
    {
        LoginSession session;
        for (int i = 0; i <= kFreshWindows && session.Opened(); ++i) {
            const std::vector<Step> made = MakeAndShow();
            std::fputs(StepsText(i == 0 ? "first" : "fresh", made).c_str(), file);
            if (theApp.m_pGameDialog != nullptr && !made.empty())
                std::fputs(StepsText("repeat", HideAndShowAgain()).c_str(), file);
            theApp.DestroyGameDialog();
            PumpPending();
        }
    }
    std::fputs(kStepsComplete, file);
    return std::fclose(file) == 0;
}

GameWindowSteps RunGameWindowSteps() {
    const std::string path = TempFilePath();
    if (path.empty())
        return {};
    {
        ChildProcess child(L"\"" + BuiltFile(L"launcher_bench.exe") + L"\" --game-window-steps \"" +
                           std::wstring(path.begin(), path.end()) + L"\"");
        if (child.WaitForExit(kChildTimeoutMs) != 0)
            std::fprintf(stderr, "hand-over: the process that makes game windows did not end well\n");
    }
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof(chunk), file)) > 0;)
            text.append(chunk, n);
        std::fclose(file);
    }
    ::DeleteFileA(path.c_str());
    return ParseStepsText(text);
}
