#include "HandoverBench.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BareBrowserHost.h"
#include "Clock.h"
#include "GameDialog.h"
#include "GameHandoff.h"
#include "LoginApp.h"
#include "LoginSession.h"
#include "ProcessFigures.h"
#include "Stats.h"
#include "Table.h"
#include "resource.h"
#include "support/Module.h"
#include "support/Wait.h"

namespace {

constexpr wchar_t kGameAddress[] = L"http://127.0.0.1:9/play?client=1&server=3";
constexpr int kCreationSamples = 10;

struct CycleFigures {
    std::vector<double> first, fresh, repeat;  // milliseconds to the window shown
    std::vector<double> beforeNavigate;        // from the Navigate call to BeforeNavigate2
    int failures = 0;
    ProcessFigures afterFirst, afterAll;
};

void Record(std::optional<double> ms, std::vector<double>& samples, int& failures) {
    if (ms)
        samples.push_back(*ms);
    else
        ++failures;
}

// Milliseconds from `start` to `shown()`; nothing when it does not come.
template <class Shown>
std::optional<double> TimeToShown(double start, Shown shown) {
    if (!shown() && !PumpUntil(shown, 5000))
        return std::nullopt;
    const double elapsed = NowMs() - start;
    PumpPending();
    return elapsed;
}

// Hand-over, hidden, hand-over again, back to server choice: the player's
// round from the login window to the game and back.
CycleFigures RunLauncherCycles(LoginSession& session, int cycles) {
    CycleFigures f;
    auto shown = [&] { return session.GameShown(); };
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle % 20 == 0)
            std::fprintf(stderr, "hand-over: cycle %d of %d\n", cycle + 1, cycles);
        double start = NowMs();
        session.PageNavigates(kGameAddress);
        Record(TimeToShown(start, shown), cycle == 0 ? f.first : f.fresh, f.failures);
        // The same window again, as after the boss key hid it.
        if (CGameDialog* game = session.Game())
            game->ShowWindow(SW_HIDE);
        PumpPending();
        start = NowMs();
        session.PageNavigates(kGameAddress);
        Record(TimeToShown(start, shown), f.repeat, f.failures);
        if (!session.BackToServerChoice())
            ++f.failures;
        if (cycle == 0)
            f.afterFirst = TakeProcessFigures();
    }
    f.afterAll = TakeProcessFigures();
    return f;
}

// The same round with a bare browser host of the game window's size:
// created, navigated and shown; hidden, navigated and shown; destroyed.
CycleFigures RunBareHostCycles(int cycles) {
    CycleFigures f;
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle % 20 == 0)
            std::fprintf(stderr, "bare browser host: cycle %d of %d\n", cycle + 1, cycles);
        double start = NowMs();
        auto host = std::make_unique<BareBrowserHost>();
        if (!host->Create(IDD_LOGIN_PANEL, nullptr)) {
            ++f.failures;
            continue;
        }
        BareBrowserHost* h = host.get();
        auto shown = [h] { return h->IsWindowVisible() != FALSE; };
        h->MoveWindow(work, TRUE);
        const double navigate = NowMs();
        h->m_browser.Navigate(kGameAddress);
        if (h->m_lastBeforeNavigateMs != 0)
            f.beforeNavigate.push_back(h->m_lastBeforeNavigateMs - navigate);
        h->ShowWindow(SW_SHOWNORMAL);
        Record(TimeToShown(start, shown), cycle == 0 ? f.first : f.fresh, f.failures);

        h->ShowWindow(SW_HIDE);
        PumpPending();
        start = NowMs();
        h->m_browser.Navigate(kGameAddress);
        h->ShowWindow(SW_SHOWNORMAL);
        Record(TimeToShown(start, shown), f.repeat, f.failures);
        host.reset();
        PumpPending();
        if (cycle == 0)
            f.afterFirst = TakeProcessFigures();
    }
    f.afterAll = TakeProcessFigures();
    return f;
}

// The part of a fresh hand-over that makes the game window (hidden).
std::vector<double> TimeGameWindowCreation() {
    std::vector<double> samples;
    for (int i = 0; i < kCreationSamples; ++i) {
        const double start = NowMs();
        if (GetGameDialog() != nullptr)
            samples.push_back(NowMs() - start);
        theApp.DestroyGameDialog();
        PumpPending();
    }
    return samples;
}

std::string Optional(const std::optional<DWORD>& count) {
    return count ? std::to_string(*count) : "n/a";
}

// "x1.02, +3.1 KiB a cycle" for a figure grown from `first` to `last`.
std::string Growth(double last, double first, int cycles, double unit, const char* unitName) {
    char text[96];
    std::snprintf(text, sizeof(text), "%s, %+.1f%s a cycle", Ratio(last, first).c_str(),
                  (last - first) / unit / (cycles > 1 ? cycles - 1 : 1), unitName);
    return text;
}

void AddTimingRow(Table& table, const std::string& figure, const std::vector<double>& samples,
                  const std::vector<double>& baseline) {
    const Summary s = Summarise(samples);
    const double b = Median(baseline);
    table.Add({figure + (s.count > 1 ? ", median of " + std::to_string(s.count) : ""), Milliseconds(s.median),
               Milliseconds(b), Ratio(s.median, b)});
    if (s.count > 1)
        table.Add({"  99th percentile / worst", Milliseconds(s.p99) + " / " + Milliseconds(s.worst),
                   Milliseconds(Percentile(baseline, 99)) + " / " + Milliseconds(Summarise(baseline).worst), ""});
}

void AddHandoverRows(Table& table, const CycleFigures& launcher, const CycleFigures& bare,
                     const std::vector<double>& creation) {
    table.Section("Hand-over: the page's navigation with the marker to the game window visible "
                  "(baseline: a bare browser host of the same size)");
    AddTimingRow(table, "first in the process", launcher.first, bare.fresh);
    AddTimingRow(table, "fresh window after server choice", launcher.fresh, bare.fresh);
    AddTimingRow(table, "repeat (window exists, hidden)", launcher.repeat, bare.repeat);
    const double fresh = Median(launcher.fresh);
    table.Add({"  of a fresh one: making the game window, median of " + std::to_string(creation.size()),
               Milliseconds(Median(creation)), Milliseconds(fresh), Ratio(Median(creation), fresh) + " of it"});
    table.Add({"  BeforeNavigate2 after the Navigate call began", Milliseconds(Median(bare.beforeNavigate)), "", ""});
    if (launcher.failures + bare.failures > 0)
        table.Add({"steps that failed", std::to_string(launcher.failures), std::to_string(bare.failures), "steps"});
}

void AddLeanRows(Table& table, const CycleFigures& launcher, const CycleFigures& bare, int cycles) {
    const ProcessFigures& first = launcher.afterFirst;
    const ProcessFigures& all = launcher.afterAll;
    auto bytes = [](const ProcessFigures& f) { return static_cast<double>(f.privateBytes); };
    auto count = [](std::size_t n) { return Number(static_cast<double>(n)); };
    table.Section("Lean: after " + std::to_string(cycles) +
                  " cycles of hand-over and back to server choice (baseline: after the first)");
    table.Add({"private bytes", Kibibytes(bytes(all)), Kibibytes(bytes(first)),
               Growth(bytes(all), bytes(first), cycles, 1024, " KiB")});
    table.Add({"  the same cycles of a bare browser host", Kibibytes(bytes(bare.afterAll)),
               Kibibytes(bytes(bare.afterFirst)),
               Growth(bytes(bare.afterAll), bytes(bare.afterFirst), cycles, 1024, " KiB")});
    auto heap = [](const ProcessFigures& f) { return static_cast<double>(f.heapBytes); };
    table.Add({"heap bytes in use", Kibibytes(heap(all)), Kibibytes(heap(first)),
               Growth(heap(all), heap(first), cycles, 1024, " KiB")});
    table.Add({"  the same cycles of a bare browser host", Kibibytes(heap(bare.afterAll)),
               Kibibytes(heap(bare.afterFirst)),
               Growth(heap(bare.afterAll), heap(bare.afterFirst), cycles, 1024, " KiB")});
    table.Add({"kernel handles", Number(all.handles), Number(first.handles),
               Growth(all.handles, first.handles, cycles, 1, "")});
    table.Add({"  the same cycles of a bare browser host", Number(bare.afterAll.handles),
               Number(bare.afterFirst.handles), Growth(bare.afterAll.handles, bare.afterFirst.handles, cycles, 1, "")});
    table.Add({"top-level windows of the process", count(all.topWindows), count(first.topWindows), "windows"});
    table.Add({"windows with all their descendants", count(all.allWindows), count(first.allWindows), "windows"});
    table.Add({"GDI objects", Optional(all.gdiObjects), Optional(first.gdiObjects), "objects"});
    table.Add({"USER objects", Optional(all.userObjects), Optional(first.userObjects), "objects"});
    const double program = static_cast<double>(FileSize(BuiltFile(L"launcher.exe").c_str()));
    const double minimal = static_cast<double>(FileSize(BuiltFile(L"bench_baseline.exe").c_str()));
    table.Add({"launcher.exe file size (baseline: the one-window program)", Kibibytes(program), Kibibytes(minimal),
               Ratio(program, minimal)});
}

}  // namespace

void RunHandoverBench(Table& table, int cycles) {
    const double opening = NowMs();
    LoginSession session;
    const double openedMs = NowMs() - opening;
    if (!session.Opened()) {
        std::fprintf(stderr, "hand-over: the login window did not open\n");
        return;
    }
    // The launcher's cycles first: memory the bare host frees would be
    // taken again by them and hide part of what they keep.
    const CycleFigures launcher = RunLauncherCycles(session, cycles);
    const std::vector<double> creation = TimeGameWindowCreation();
    const CycleFigures bare = RunBareHostCycles(cycles);
    table.Section("Start-up's own part, in this process");
    table.Add({"login window made (backdrop, panel, browser), once", Milliseconds(openedMs), "", ""});
    AddHandoverRows(table, launcher, bare, creation);
    AddLeanRows(table, launcher, bare, cycles);
}
