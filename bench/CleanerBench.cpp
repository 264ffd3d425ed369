#include "CleanerBench.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "CacheTree.h"
#include "CleanCacheDlg.h"
#include "CleanerRuns.h"
#include "Clock.h"
#include "ConfirmDlg.h"
#include "DirectClean.h"
#include "Json.h"
#include "ModalProbe.h"
#include "Stats.h"
#include "Table.h"
#include "VeilVariants.h"
#include "support/GdiPlusSession.h"

namespace {

constexpr int kProgressSample = 20;

std::string MaybeMs(const std::optional<double>& ms) {
    return ms ? Milliseconds(*ms) : "never";
}

void AddAnswerRows(Table& table, const std::string& what, const std::vector<double>& busy,
                   const std::vector<double>& idle) {
    const Summary b = Summarise(busy);
    const Summary i = Summarise(idle);
    const std::string n = " (" + std::to_string(b.count) + " / " + std::to_string(i.count) + " probes)";
    table.Add({what + ", median" + n, Milliseconds(b.median), Milliseconds(i.median), Ratio(b.median, i.median)});
    table.Add({what + ", 99th percentile", Milliseconds(b.p99), Milliseconds(i.p99), Ratio(b.p99, i.p99)});
    table.Add({what + ", worst", Milliseconds(b.worst), Milliseconds(i.worst), Ratio(b.worst, i.worst)});
}

std::string ShareOf(double part, double whole, const char* of) {
    char share[64];
    std::snprintf(share, sizeof(share), "%.0f%% of %s", whole > 0 ? 100 * part / whole : 0, of);
    return share;
}

void AddEscapeRow(Table& table, const char* when, const std::optional<double>& ms, const std::vector<double>& idle) {
    const double baseline = Median(idle);
    table.Add({when, MaybeMs(ms), Milliseconds(baseline), ms ? Ratio(*ms, baseline) : "-"});
}

void AddDirectRows(Table& table, const DirectCleanFigures& d) {
    const char* of = "the calls";
    auto row = [&](const std::string& what, double ms) { table.Add({what, Milliseconds(ms), "", ShareOf(ms, d.totalMs, of)}); };
    row("  the same calls: the URL cache passes (steps 1 and 3)", d.cookiePassMs + d.pagePassMs);
    row("  the same calls: the folder walks (steps 2 and 4)", d.cookieWalkMs + d.cacheWalkMs);
    row("    enumerating the URL cache: size query and fetch, " + std::to_string(d.entries) + " entries",
        d.enumerateMs);
    row("    DeleteUrlCacheEntryW", d.deleteEntryMs);
    row("    FindFirstFileW and FindNextFileW", d.listMs);
    row("    the check that each entry lies in its folder (open, GetFinalPathNameByHandleW)", d.resolveMs);
    row("    GetFileAttributesW (read-only cleared)", d.attributesMs);
    row("    SHFileOperationW, " + std::to_string(d.files) + " files", d.deleteFileMs);
    row("    RemoveDirectoryW", d.removeFolderMs);
}

void AddWatchRows(Table& table, const WatchedVeil& veil, double veilMs) {
    table.Section("The veil's user-interface thread during the probed clean (its window procedure by message)");
    table.Add({"processor time of the thread", Milliseconds(veil.threadCpuMs), "",
               ShareOf(veil.threadCpuMs, veilMs, "the veil's time")});
    double inProcedure = 0;
    for (const auto& [name, h] : veil.handled)
        inProcedure += h.ms;
    table.Add({"in the window procedure", Milliseconds(inProcedure), "", ShareOf(inProcedure, veilMs, "the veil's time")});
    for (const auto& [name, h] : veil.handled)
        table.Add({"  " + name + ", " + std::to_string(h.count) + " handled", Milliseconds(h.ms), "",
                   "longest " + Milliseconds(h.longestMs)});
}

// An idle confirmation dialog probed while the same calls run on another
// thread: the answers the user-interface thread gives when the cleaning
// alone shares the machine and the Wine server with it.
ProbeResult ProbeIdleDuringDirectClean(DirectCleanFigures& figures) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        figures = CleanDirectly();
        done = true;
    });
    CConfirmDlg dialog;
    dialog.m_nMode = 1;
    const ProbeResult r = RunProbedModal(dialog, [&](double) { return done.load(); });
    worker.join();
    return r;
}

}  // namespace

void RunCleanerBench(Table& table, JsonFigures& json) {
    GdiPlusSession gdiplus;  // for the confirmation's image buttons
    const CacheLoad load;
    const std::vector<std::wstring> urlCacheFolders = UrlCacheFolders();
    IdleBaseline idle;
    // Between runs: an empty cache, and the idle dialog measured once more.
    auto betweenRuns = [&] {
        EmptyCache(urlCacheFolders);
        idle.Measure();
    };
    betweenRuns();

    bool filled = FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: the veil cleans\n");
    const double cleanMs = TimeVeil();
    const int left = CountFiles(InternetCacheFolder()) + CountFiles(CookiesFolder());
    betweenRuns();

    filled &= FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: the same calls, made directly\n");
    const DirectCleanFigures direct = CleanDirectly();
    betweenRuns();

    // Probing loads the machine too: its clean is not the one timed.
    filled &= FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: the veil cleans, probed\n");
    WatchedVeil probedVeil;
    const ProbeResult probed = RunProbedModal(probedVeil);
    betweenRuns();

    filled &= FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: an idle dialog probed while the same calls run on another thread\n");
    DirectCleanFigures onThread;
    const ProbeResult idleDuringCalls = ProbeIdleDuringDirectClean(onThread);
    betweenRuns();

    filled &= FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: the plain walk deletes\n");
    const double walkMs = TimePlainWalk();
    betweenRuns();

    filled &= FillCache(load, Fill::EntriesOnly);
    std::fprintf(stderr, "cleaner: Escape halfway through the URL cache entries\n");
    const auto duringEntries = EscapeToClosed(WhenHalfGone(SampleAddresses(load, kProgressSample), &EntriesPresent));
    betweenRuns();

    filled &= FillCache(load, Fill::FoldersOnly);
    std::fprintf(stderr, "cleaner: Escape halfway through the folders\n");
    const auto duringFolders = EscapeToClosed(WhenHalfGone(SampleFiles(load, kProgressSample), &FilesPresent));
    betweenRuns();

    const std::string tree = std::to_string(load.folders * load.filesPerFolder) + " files in " +
                             std::to_string(load.folders) + " folders, " + std::to_string(load.urlEntries) +
                             " URL cache entries";
    table.Section("Cache cleaner: " + tree + (filled ? "" : " (some could not be made)"));
    table.Add({"veil shown to closed (baseline: the same calls made directly, no window, no thread)",
               Milliseconds(cleanMs), Milliseconds(direct.totalMs), Ratio(cleanMs, direct.totalMs)});
    table.Add({"veil shown to closed (baseline: DeleteFileW walk of both folders)", Milliseconds(cleanMs),
               Milliseconds(walkMs), Ratio(cleanMs, walkMs)});
    table.Add({"  files the veil left", std::to_string(left), "", "files"});
    AddDirectRows(table, direct);
    table.Add({"  the same calls on another thread, an idle dialog probed", Milliseconds(onThread.totalMs),
               Milliseconds(direct.totalMs), Ratio(onThread.totalMs, direct.totalMs)});
    table.Add({"  the veil again, probed as below", Milliseconds(probed.modalMs), Milliseconds(cleanMs),
               Ratio(probed.modalMs, cleanMs)});
    AddWatchRows(table, probedVeil, probed.modalMs);
    table.Section("User-interface thread during the clean (baseline: an idle confirmation dialog, " +
                  std::to_string(idle.escapeMs.size()) + " runs of 1 s between the cleans)");
    AddAnswerRows(table, "SendMessage round trip", probed.sendMs, idle.sendMs);
    AddAnswerRows(table, "posted message taken", probed.postMs, idle.postMs);
    AddAnswerRows(table, "idle dialog while the same calls run on another thread: SendMessage",
                  idleDuringCalls.sendMs, idle.sendMs);
    table.Section("Cancellation: Escape to the veil closed (baseline: Escape to the idle dialog closed, median)");
    AddEscapeRow(table, "halfway through the URL cache entries", duringEntries, idle.escapeMs);
    AddEscapeRow(table, "halfway through the folders", duringFolders, idle.escapeMs);

    json.Set("cleaner_steps_ratio", cleanMs / direct.totalMs);
    json.Set("cleaner_walk_ratio", cleanMs / walkMs);
    json.Set("ui_p99_ratio", Percentile(probed.sendMs, 99) / Percentile(idle.sendMs, 99));
    json.Set("ui_worst_ratio", Summarise(probed.sendMs).worst / Summarise(idle.sendMs).worst);
    if (duringEntries)
        json.Set("cancel_entries_ms", *duringEntries);
    if (duringFolders)
        json.Set("cancel_folders_ms", *duringFolders);
}
