#include "HandoverBench.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "HandoverCycles.h"
#include "LoginSession.h"
#include "ProcessFigures.h"
#include "Stats.h"
#include "Table.h"
#include "support/Module.h"

namespace {

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
