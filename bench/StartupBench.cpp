#include "StartupBench.h"

#include <cstdio>
#include <string>
#include <vector>

#include "Clock.h"
#include "Json.h"
#include "Poll.h"
#include "ProcessFigures.h"
#include "StandIn.h"
#include "StandInRegistration.h"
#include "StartupSteps.h"
#include "Stats.h"
#include "Table.h"
#include "support/Module.h"

namespace {

struct Program {
    Program(const wchar_t* f, const wchar_t* t, bool page = false) : file(f), title(t), toPage(page) {}
    const wchar_t* file;
    const wchar_t* title;  // of the window that counts as shown
    bool toPage;           // and wait for the login page
    std::vector<double> firstWindow, shown, page;
    int failures = 0;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
    return TRUE;
}

bool IsShownAndLayered(HWND window, const wchar_t* title) {
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    return ::IsWindowVisible(window) && lstrcmpW(text, title) == 0 &&
           (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// The login page is shown when a window owned by the backdrop holds the
// stand-in's browser window and that window is visible (the panel shows it
// after the first completed navigation).
bool PageShown(const std::vector<HWND>& windows, HWND backdrop) {
    for (HWND window : windows) {
        if (::GetWindow(window, GW_OWNER) != backdrop)
            continue;
        std::vector<HWND> children;
        ::EnumChildWindows(window, &CollectWindow, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            wchar_t name[64] = {};
            ::GetClassNameW(child, name, 64);
            if (lstrcmpW(name, standin::WindowClassName()) == 0 && ::IsWindowVisible(child))
                return true;
        }
    }
    return false;
}

struct StartTimes {
    double firstWindow = -1, shown = -1, page = -1;
};

// One run, looked at once a millisecond; false when the window (or the page)
// never showed or the program did not end with code 0 after WM_CLOSE.
bool TimeOneStart(const Program& program, StartTimes& t) {
    const double start = NowMs();
    ChildProcess child(L"\"" + BuiltFile(program.file) + L"\"");
    if (!child.Started())
        return false;
    HWND shown = nullptr;
    const bool done = PollUntil(
        [&] {
            const std::vector<HWND> windows = TopWindowsOf(child.Pid());
            const double now = NowMs() - start;
            if (t.firstWindow < 0 && !windows.empty())
                t.firstWindow = now;
            for (HWND window : windows)
                if (shown == nullptr && IsShownAndLayered(window, program.title)) {
                    shown = window;
                    t.shown = now;
                }
            if (shown != nullptr && program.toPage && t.page < 0 && PageShown(windows, shown))
                t.page = now;
            return shown != nullptr && (!program.toPage || t.page >= 0);
        },
        30000);
    if (shown != nullptr)
        ::PostMessageW(shown, WM_CLOSE, 0, 0);
    return child.WaitForExit(20000) == 0 && done;
}

void Run(Program& program, bool counted) {
    StartTimes t;
    const bool ok = TimeOneStart(program, t);
    if (!counted)
        return;
    if (!ok) {
        ++program.failures;
        return;
    }
    program.firstWindow.push_back(t.firstWindow);
    program.shown.push_back(t.shown);
    if (program.toPage)
        program.page.push_back(t.page);
}

// The launcher and the baseline in turn, after one start of each that is
// not counted (it fills the caches later starts find full).
void RunAlternately(Program& launcher, Program& baseline, int runs, const char* what) {
    Run(launcher, false);
    Run(baseline, false);
    for (int i = 0; i < runs; ++i) {
        std::fprintf(stderr, "%s: run %d of %d\n", what, i + 1, runs);
        Run(launcher, true);
        Run(baseline, true);
    }
}

void AddSpreadRows(Table& table, const std::string& figure, const std::vector<double>& value,
                   const std::vector<double>& baseline) {
    const Summary l = Summarise(value);
    const Summary b = Summarise(baseline);
    table.Add({figure + ", median of " + std::to_string(l.count) + " runs", Milliseconds(l.median),
               Milliseconds(b.median), Ratio(l.median, b.median)});
    table.Add({"  fastest to slowest", Milliseconds(l.best) + " - " + Milliseconds(l.worst),
               Milliseconds(b.best) + " - " + Milliseconds(b.worst), ""});
}

void AddFailures(Table& table, const Program& launcher, const Program& baseline) {
    if (launcher.failures + baseline.failures > 0)
        table.Add({"  runs that failed (no window or page, or exit code not 0)", std::to_string(launcher.failures),
                   std::to_string(baseline.failures), "runs"});
}

std::string ShareOf(double part, double whole) {
    char share[32];
    std::snprintf(share, sizeof(share), "%.0f%% of it", whole > 0 ? 100 * part / whole : 0);
    return share;
}

void AddStepRows(Table& table, const StartupSteps& first, const StartupSteps& again, double processInitMs) {
    double firstTotal = processInitMs, againTotal = 0;
    for (const Step& s : first.steps)
        firstTotal += s.ms;
    for (const Step& s : again.steps)
        againTotal += s.ms;
    table.Section("Start-up's own part, in this process (baseline: the same steps again in the process)");
    table.Add({"login window made and shown, first in the process" + std::string(first.opened ? "" : " (failed)"),
               Milliseconds(firstTotal), Milliseconds(againTotal), Ratio(firstTotal, againTotal)});
    table.Add({"  OLE and the common controls initialised", Milliseconds(processInitMs), "",
               ShareOf(processInitMs, firstTotal)});
    for (std::size_t i = 0; i < first.steps.size(); ++i) {
        const Step& s = first.steps[i];
        const std::string warm = i < again.steps.size() && again.steps[i].name == s.name
                                     ? Milliseconds(again.steps[i].ms)
                                     : "";
        table.Add({"  " + s.name, Milliseconds(s.ms), warm, ShareOf(s.ms, firstTotal)});
    }
    table.Add({"  libraries loaded by the first login window", std::to_string(first.newModules.size()), "",
               "modules"});
}

}  // namespace

void RunStartupBench(Table& table, JsonFigures& json, const StartupOptions& options) {
    // In this process first, while nothing of the login window was made here.
    std::fprintf(stderr, "start-up: the login window made here, twice\n");
    const StartupSteps first = RunStartupSteps();
    const StartupSteps again = RunStartupSteps();
    std::string loaded;
    for (const std::wstring& name : first.newModules)
        loaded += " " + std::string(name.begin(), name.end());
    std::fprintf(stderr, "start-up: libraries the first login window loaded:%s\n", loaded.c_str());

    Program launcher{L"launcher.exe", L"Vesmera"};
    Program baseline{L"bench_baseline.exe", L"Bench baseline"};
    RunAlternately(launcher, baseline, options.runs, "start-up");

    Program toPage{L"launcher.exe", L"Vesmera", true};
    Program pageBaseline{L"bench_baseline.exe", L"Bench baseline"};
    bool standIn = false;
    if (options.loginSite) {
        const StandInRegistration registration(BuiltFile(L"standin_browser.dll"));
        standIn = registration.Registered();
        if (standIn)
            RunAlternately(toPage, pageBaseline, options.runs, "start-up to the login page");
        else
            std::fprintf(stderr, "start-up: the stand-in browser control could not be registered\n");
    }

    table.Section("Start-up: process start to the login window shown and layered");
    AddSpreadRows(table, "launcher.exe", launcher.shown, baseline.shown);
    const double firstWindow = Median(launcher.firstWindow), baseFirstWindow = Median(baseline.firstWindow);
    table.Add({"  its first window made (hidden), median", Milliseconds(firstWindow), Milliseconds(baseFirstWindow),
               Ratio(firstWindow, baseFirstWindow)});
    AddFailures(table, launcher, baseline);
    json.Set("startup_ratio", Median(launcher.shown) / Median(baseline.shown));

    table.Section("Start-up to the login page shown (stand-in browser control, demo site; baseline: the "
                  "one-window program shown)");
    if (!standIn) {
        table.Add({options.loginSite ? "left out: the stand-in could not be registered"
                                     : "left out: no demo site on the login host (scripts/bench serves it)",
                   "", "", ""});
    } else {
        AddSpreadRows(table, "process start to the login page shown", toPage.page, pageBaseline.shown);
        AddSpreadRows(table, "the login window shown and layered, same runs", toPage.shown, pageBaseline.shown);
        table.Add({"  its first window made (hidden), median", Milliseconds(Median(toPage.firstWindow)),
                   Milliseconds(Median(pageBaseline.firstWindow)),
                   Ratio(Median(toPage.firstWindow), Median(pageBaseline.firstWindow))});
        std::vector<double> gap;
        for (std::size_t i = 0; i < toPage.page.size() && i < toPage.shown.size(); ++i)
            gap.push_back(toPage.page[i] - toPage.shown[i]);
        table.Add({"  from the login window shown to the page shown, median", Milliseconds(Median(gap)), "", ""});
        AddFailures(table, toPage, pageBaseline);
        json.Set("startup_page_ratio", Median(toPage.page) / Median(pageBaseline.shown));
    }
    AddStepRows(table, first, again, options.processInitMs);
}
