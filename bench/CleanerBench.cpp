#include "CleanerBench.h"

#include <cstdio>
#include <string>
#include <vector>

#include "CacheTree.h"
#include "CleanCacheDlg.h"
#include "CleanerRuns.h"
#include "ModalProbe.h"
#include "Stats.h"
#include "Table.h"
#include "support/GdiPlusSession.h"

namespace {

constexpr int kProgressSample = 20;

std::string MaybeMs(const std::optional<double>& ms) {
    return ms ? Milliseconds(*ms) : "never";
}

void AddAnswerRows(Table& table, const char* what, const std::vector<double>& busy, const std::vector<double>& idle) {
    const Summary b = Summarise(busy);
    const Summary i = Summarise(idle);
    const std::string n = " (" + std::to_string(b.count) + " / " + std::to_string(i.count) + " probes)";
    table.Add({std::string(what) + ", median" + n, Milliseconds(b.median), Milliseconds(i.median),
               Ratio(b.median, i.median)});
    table.Add({std::string(what) + ", 99th percentile", Milliseconds(b.p99), Milliseconds(i.p99), Ratio(b.p99, i.p99)});
    table.Add({std::string(what) + ", worst", Milliseconds(b.worst), Milliseconds(i.worst), Ratio(b.worst, i.worst)});
}

std::string ShareOf(double part, double whole) {
    char share[48];
    std::snprintf(share, sizeof(share), "%.0f%% of the veil's time", 100 * part / whole);
    return share;
}

void AddEscapeRow(Table& table, const char* when, const std::optional<double>& ms, const std::vector<double>& idle) {
    const double baseline = Median(idle);
    table.Add({when, MaybeMs(ms), Milliseconds(baseline), ms ? Ratio(*ms, baseline) : "-"});
}

}  // namespace

void RunCleanerBench(Table& table) {
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

    // Probing loads the machine too: its clean is not the one timed.
    filled &= FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: the veil cleans, probed\n");
    CCleanCacheDlg probedVeil;
    const ProbeResult probed = RunProbedModal(probedVeil);
    betweenRuns();

    // The same tree for the plain walk; the URL cache passes then empty the
    // cache's index, whose files the walk took.
    filled &= FillCache(load, Fill::Everything);
    std::fprintf(stderr, "cleaner: the plain walk deletes\n");
    const double walkMs = TimePlainWalk();
    const double urlPassesMs = TimeUrlCachePasses();
    betweenRuns();

    filled &= FillCache(load, Fill::FoldersOnly);
    std::fprintf(stderr, "cleaner: the link check alone, then the worker's folder walks\n");
    const double linkChecksMs = TimeLinkChecks();
    const double folderWalksMs = TimeFolderWalks();
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
    table.Add({"veil shown to closed (baseline: DeleteFileW walk of both folders)", Milliseconds(cleanMs),
               Milliseconds(walkMs), Ratio(cleanMs, walkMs)});
    table.Add({"  files the veil left", std::to_string(left), "", "files"});
    table.Add({"  its URL cache passes alone (steps 1 and 3)", Milliseconds(urlPassesMs), "",
               ShareOf(urlPassesMs, cleanMs)});
    table.Add({"  its folder walks alone (steps 2 and 4), without the entries", Milliseconds(folderWalksMs), "",
               ShareOf(folderWalksMs, cleanMs)});
    table.Add({"    of which the check that each entry lies in its folder (alone, same tree)",
               Milliseconds(linkChecksMs), Milliseconds(folderWalksMs), Ratio(linkChecksMs, folderWalksMs)});
    table.Add({"  the veil again, probed as below", Milliseconds(probed.modalMs), Milliseconds(cleanMs),
               Ratio(probed.modalMs, cleanMs)});
    table.Section("User-interface thread during the clean (baseline: an idle confirmation dialog, " +
                  std::to_string(idle.escapeMs.size()) + " runs of 1 s between the cleans)");
    AddAnswerRows(table, "SendMessage round trip", probed.sendMs, idle.sendMs);
    AddAnswerRows(table, "posted message taken", probed.postMs, idle.postMs);
    table.Section("Cancellation: Escape to the veil closed (baseline: Escape to the idle dialog closed, median)");
    AddEscapeRow(table, "halfway through the URL cache entries", duringEntries, idle.escapeMs);
    AddEscapeRow(table, "halfway through the folders", duringFolders, idle.escapeMs);
}
