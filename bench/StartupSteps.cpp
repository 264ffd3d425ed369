#include "StartupSteps.h"

#include <windows.h>
#include <psapi.h>
#include <algorithm>

#include "GdiPlus.h"
#include "LoginActiveDlg.h"
#include "LoginApp.h"
#include "LoginDlg.h"
#include "LoginSession.h"
#include "resource.h"
#include "support/Wait.h"

namespace {

std::vector<std::wstring> LoadedModules() {
    std::vector<HMODULE> modules(512);
    DWORD bytes = 0;
    ::EnumProcessModules(::GetCurrentProcess(), modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                         &bytes);
    modules.resize(std::min<std::size_t>(modules.size(), bytes / sizeof(HMODULE)));
    std::vector<std::wstring> names;
    for (HMODULE module : modules) {
        wchar_t name[MAX_PATH] = {};
        ::GetModuleBaseNameW(::GetCurrentProcess(), module, name, MAX_PATH);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The panel as CLoginActiveDlg makes itself, with marks around its own
// initialisation.
class TimedPanel : public CLoginActiveDlg {
public:
    TimedPanel(CLoginDlg* backdrop, StepClock& clock) : CLoginActiveDlg(backdrop), m_clock(clock) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The window exists; the control containment runs next.
        if (message == WM_INITDIALOG)
            m_clock.Mark("panel: its window from the template");
        return CLoginActiveDlg::WindowProc(message, wParam, lParam);
    }

    BOOL OnInitDialog() override {
        m_clock.Mark("panel: its browser control created and activated");
        const BOOL result = CLoginActiveDlg::OnInitDialog();
        m_clock.Mark("panel: colour key, the login page's navigation begun, its two image buttons");
        return result;
    }

private:
    StepClock& m_clock;
};

// The backdrop as CLoginDlg makes itself, with a mark after each step.
class TimedBackdrop : public CLoginDlg {
public:
    explicit TimedBackdrop(StepClock& clock) : m_clock(clock) {}

    // What the backdrop's first posted message does, timed: the panel made
    // and laid over the backdrop that is on the screen by now.
    void MakePanel() {
        m_clock.Restart();
        m_pPanel.reset(new TimedPanel(this, m_clock));
        m_pPanel->Create(IDD_LOGIN_PANEL, this);
        CRect rect;
        GetWindowRect(&rect);
        m_pPanel->MoveWindow(rect, TRUE);
        m_pPanel->ShowWindow(SW_SHOWNORMAL);
        m_clock.Mark("panel: laid over the backdrop and shown");
    }

protected:
    BOOL OnInitDialog() override {
        m_clock.Mark("backdrop: its window from the template");
        CDialogEx::OnInitDialog();
        SetWindowText(L"Vesmera");
        m_backdrop.m_hWndTarget = m_hWnd;
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
        ModifyStyle(WS_CAPTION, 0);
        m_clock.Mark("backdrop: title and icons");
        if (!m_backdrop.m_png.Load(MAKEINTRESOURCEW(IDB_PNG_BACKDROP), AfxGetResourceHandle()))
            return TRUE;
        m_clock.Mark("backdrop: its PNG decoded (GDI+)");
        MoveWindow(0, 0, static_cast<int>(m_backdrop.m_png.GetWidth()),
                   static_cast<int>(m_backdrop.m_png.GetHeight()), TRUE);
        CenterWindow();
        m_clock.Mark("backdrop placed");
        m_backdrop.Present();
        m_clock.Mark("backdrop: the layered presentation");
        return TRUE;
    }

private:
    StepClock& m_clock;
};

}  // namespace

StartupSteps RunStartupSteps() {
    StartupSteps result;
    const std::vector<std::wstring> before = LoadedModules();
    StepClock clock;
    PrepareLikeStartUp();
    clock.Mark("control-site manager and external object");
    static ULONG_PTR token = 0;  // GDI+ lasts to the end, as in the launcher
    StartupGdiPlus(&token);
    clock.Mark("GDI+ start-up");
    {
        TimedBackdrop backdrop(clock);
        result.opened = backdrop.Create(IDD_LOGIN_DIALOG, nullptr) != FALSE;
        // The template is visible: the dialog manager shows the window
        // once its initialisation returns.
        clock.Mark("backdrop: shown by the dialog manager");
        theApp.m_pMainWnd = &backdrop;
        // As DoModal does, should it still be hidden.
        if (!backdrop.IsWindowVisible())
            backdrop.ShowWindow(SW_SHOWNORMAL);
        // The loop's first message makes the panel (the posted one then
        // finds it made).
        backdrop.MakePanel();
        PumpPending();
        clock.Mark("what the showing queued, handled");
        backdrop.DestroyWindow();
        backdrop.m_pPanel.reset();
        theApp.m_pMainWnd = nullptr;
        PumpPending();
    }
    result.steps = clock.Steps();
    for (const std::wstring& name : LoadedModules())
        if (!std::binary_search(before.begin(), before.end(), name))
            result.newModules.push_back(name);
    return result;
}
