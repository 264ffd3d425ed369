#include "HandoverBench.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "GameWindowSteps.h"
#include "HandoverCycles.h"
#include "Json.h"
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

void AddLeanRows(Table& table, const CycleFigures& launcher, const CycleFigures& bare, int allCycles) {
    const int cycles = allCycles < kMarkCycle ? allCycles : kMarkCycle;
    const ProcessFigures& first = launcher.afterFirst;
    const ProcessFigures& all = launcher.afterHundred;
    auto bytes = [](const ProcessFigures& f) { return static_cast<double>(f.privateBytes); };
    auto count = [](std::size_t n) { return Number(static_cast<double>(n)); };
    table.Section("Lean: after " + std::to_string(cycles) +
                  " cycles of hand-over and back to server choice (baseline: after the first)");
    table.Add({"private bytes", Kibibytes(bytes(all)), Kibibytes(bytes(first)),
               Growth(bytes(all), bytes(first), cycles, 1024, " KiB")});
    table.Add({"  the same cycles of a bare browser host", Kibibytes(bytes(bare.afterHundred)),
               Kibibytes(bytes(bare.afterFirst)),
               Growth(bytes(bare.afterHundred), bytes(bare.afterFirst), cycles, 1024, " KiB")});
    auto heap = [](const ProcessFigures& f) { return static_cast<double>(f.heapBytes); };
    table.Add({"heap bytes in use", Kibibytes(heap(all)), Kibibytes(heap(first)),
               Growth(heap(all), heap(first), cycles, 1024, " KiB")});
    table.Add({"  the same cycles of a bare browser host", Kibibytes(heap(bare.afterHundred)),
               Kibibytes(heap(bare.afterFirst)),
               Growth(heap(bare.afterHundred), heap(bare.afterFirst), cycles, 1024, " KiB")});
    table.Add({"kernel handles", Number(all.handles), Number(first.handles),
               Growth(all.handles, first.handles, cycles, 1, "")});
    table.Add({"  the same cycles of a bare browser host", Number(bare.afterHundred.handles),
               Number(bare.afterFirst.handles),
               Growth(bare.afterHundred.handles, bare.afterFirst.handles, cycles, 1, "")});
    table.Add({"top-level windows of the process", count(all.topWindows), count(first.topWindows), "windows"});
    table.Add({"windows with all their descendants", count(all.allWindows), count(first.allWindows), "windows"});
    table.Add({"GDI objects", Optional(all.gdiObjects), Optional(first.gdiObjects), "objects"});
    table.Add({"USER objects", Optional(all.userObjects), Optional(first.userObjects), "objects"});
}

std::string StepsTotal(const std::vector<Step>& steps) {
    double total = 0;
    for (const Step& s : steps)
        total += s.ms;
    return Milliseconds(total);
}

double Total(const std::vector<Step>& steps) {
    double total = 0;
    for (const Step& s : steps)
        total += s.ms;
    return total;
}

void AddStepRows(Table& table, const GameWindowSteps& steps) {
    table.Section("Hand-over taken apart, in a process of its own: the game window made and shown, step by step "
                  "(value: first of the process; baseline: median of " + std::to_string(steps.fresh.size()) +
                  " after it)");
    if (steps.first.empty()) {
        table.Add({"left out: the process that makes game windows gave no figures", "", "", ""});
        return;
    }
    const std::vector<Step> fresh = MedianSteps(steps.fresh);
    const double freshTotal = Total(fresh);
    table.Add({"made, hidden, navigated and shown", StepsTotal(steps.first), Milliseconds(freshTotal),
               Ratio(Total(steps.first), freshTotal)});
    for (std::size_t i = 0; i < steps.first.size(); ++i) {
        const double warm = i < fresh.size() ? fresh[i].ms : 0;
        char share[32];
        std::snprintf(share, sizeof(share), "%.0f%% of a fresh one", freshTotal > 0 ? 100 * warm / freshTotal : 0);
        table.Add({"  " + steps.first[i].name, Milliseconds(steps.first[i].ms), Milliseconds(warm), share});
    }
    const std::vector<Step> repeat = MedianSteps(steps.repeat);
    const double repeatTotal = Total(repeat);
    table.Add({"repeat (hidden, navigated and shown again), median of " + std::to_string(steps.repeat.size()),
               Milliseconds(repeatTotal), "", ""});
    for (const Step& s : repeat) {
        char share[32];
        std::snprintf(share, sizeof(share), "%.0f%% of it", repeatTotal > 0 ? 100 * s.ms / repeatTotal : 0);
        table.Add({"  " + s.name, Milliseconds(s.ms), "", share});
    }
}

std::string PerCycle(double last, double first, int cycles) {
    char text[48];
    std::snprintf(text, sizeof(text), "%+.2f KiB a cycle", (last - first) / 1024 / (cycles > 0 ? cycles : 1));
    return text;
}

void AddBytesRow(Table& table, const std::string& figure, double last, double first, int cycles) {
    table.Add({figure, Kibibytes(last), Kibibytes(first), PerCycle(last, first, cycles)});
}

const HeapFigures* FindHeap(const MemoryMap& map, HANDLE heap) {
    for (const HeapFigures& h : map.heaps)
        if (h.heap == heap)
            return &h;
    return nullptr;
}

// From the 100th cycle to the last: what grows, and where.
void AddWhereRows(Table& table, const CycleFigures& launcher, const CycleFigures& bare, int cycles) {
    if (cycles <= kMarkCycle)
        return;
    const int more = cycles - kMarkCycle;
    table.Section("Lean: after " + std::to_string(cycles) + " cycles (baseline: after " +
                  std::to_string(kMarkCycle) + "), and where the growth is");
    auto bytes = [](const ProcessFigures& f) { return static_cast<double>(f.privateBytes); };
    AddBytesRow(table, "private bytes", bytes(launcher.afterAll), bytes(launcher.afterHundred), more);
    table.Add({"  over all " + std::to_string(cycles) + " cycles (baseline: after the first)",
               Kibibytes(bytes(launcher.afterAll)), Kibibytes(bytes(launcher.afterFirst)),
               PerCycle(bytes(launcher.afterAll), bytes(launcher.afterFirst), cycles - 1)});
    AddBytesRow(table, "  the same cycles of a bare browser host", bytes(bare.afterAll), bytes(bare.afterHundred),
                more);
    const MemoryMap& h = launcher.mapHundred;
    const MemoryMap& a = launcher.mapAll;
    if (a.unixAnonymous != 0) {
        AddBytesRow(table, "  Unix side: resident anonymous memory (what Wine reports as private bytes)",
                    static_cast<double>(a.unixAnonymous), static_cast<double>(h.unixAnonymous), more);
        AddBytesRow(table, "  Unix side: resident shared memory", static_cast<double>(a.unixShared),
                    static_cast<double>(h.unixShared), more);
        AddBytesRow(table, "    of the anonymous memory in the Unix C library's heap (X, fonts: Wine's own)",
                    static_cast<double>(a.unixBrkHeap), static_cast<double>(h.unixBrkHeap), more);
        AddBytesRow(table, "    the same for a bare browser host", static_cast<double>(bare.mapAll.unixBrkHeap),
                    static_cast<double>(bare.mapHundred.unixBrkHeap), more);
    }
    AddBytesRow(table, "  committed private memory of the Windows address space",
                static_cast<double>(a.windowsPrivateCommit), static_cast<double>(h.windowsPrivateCommit), more);
    AddBytesRow(table, "    the same for a bare browser host", static_cast<double>(bare.mapAll.windowsPrivateCommit),
                static_cast<double>(bare.mapHundred.windowsPrivateCommit), more);
    for (const HeapFigures& after : a.heaps) {
        const HeapFigures* before = FindHeap(h, after.heap);
        if (before == nullptr || (after.busy == before->busy && after.committed == before->committed))
            continue;
        AddBytesRow(table, "  " + after.name + ": in use", static_cast<double>(after.busy),
                    static_cast<double>(before->busy), more);
        AddBytesRow(table, "  " + after.name + ": committed", static_cast<double>(after.committed),
                    static_cast<double>(before->committed), more);
        std::string sizes;
        for (const std::string& grown : GrownBlockSizes(before->blocks, after.blocks, 3))
            sizes += (sizes.empty() ? "" : ", ") + grown;
        if (!sizes.empty())
            table.Add({"    blocks that grew most: " + sizes, "", "", ""});
    }
}

}  // namespace

void RunHandoverBench(Table& table, JsonFigures& json, int cycles) {
    LoginSession session;
    if (!session.Opened()) {
        std::fprintf(stderr, "hand-over: the login window did not open\n");
        return;
    }
    // The launcher's cycles first: memory the bare host frees would be
    // taken again by them and hide part of what they keep.
    const CycleFigures launcher = RunLauncherCycles(session, cycles);
    const std::vector<double> creation = TimeGameWindowCreation();
    const CycleFigures bare = RunBareHostCycles(cycles);
    std::fprintf(stderr, "hand-over: game windows made step by step, in a process of their own\n");
    const GameWindowSteps steps = RunGameWindowSteps();
    AddHandoverRows(table, launcher, bare, creation);
    AddStepRows(table, steps);
    AddLeanRows(table, launcher, bare, cycles);
    AddWhereRows(table, launcher, bare, cycles);
    const double program = static_cast<double>(FileSize(BuiltFile(L"launcher.exe").c_str()));
    const double minimal = static_cast<double>(FileSize(BuiltFile(L"bench_baseline.exe").c_str()));
    table.Add({"launcher.exe file size (baseline: the one-window program)", Kibibytes(program), Kibibytes(minimal),
               Ratio(program, minimal)});

    const double bareFresh = Median(bare.fresh);
    json.Set("handover_first_ratio", Median(launcher.first) / bareFresh);
    json.Set("handover_fresh_ratio", Median(launcher.fresh) / bareFresh);
    json.Set("handover_repeat_ratio", Median(launcher.repeat) / Median(bare.repeat));
    json.Set("private_kib_per_cycle", (static_cast<double>(launcher.afterAll.privateBytes) -
                                       static_cast<double>(launcher.afterFirst.privateBytes)) /
                                          1024 / (cycles - 1));
    json.Set("exe_kib", program / 1024);
}
