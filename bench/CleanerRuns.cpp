#include "CleanerRuns.h"

#include <cstdio>

#include "CleanCacheDlg.h"
#include "Clock.h"
#include "ConfirmDlg.h"

namespace {
constexpr double kIdleProbeMs = 1000;
constexpr double kProgressLookMs = 20;  // between looks at a clean's progress
}  // namespace

void IdleBaseline::Measure() {
    CConfirmDlg dialog;
    dialog.m_nMode = 1;
    const ProbeResult r = RunProbedModal(dialog, [](double ms) { return ms >= kIdleProbeMs; });
    sendMs.insert(sendMs.end(), r.sendMs.begin(), r.sendMs.end());
    postMs.insert(postMs.end(), r.postMs.begin(), r.postMs.end());
    if (r.escapeToClosedMs)
        escapeMs.push_back(*r.escapeToClosedMs);
}

bool FillCache(const CacheLoad& load, Fill what) {
    const double start = NowMs();
    bool ok = what == Fill::EntriesOnly || MakeCacheFolders(load);
    const double folders = NowMs();
    ok &= what == Fill::FoldersOnly || MakeUrlCacheEntries(load);
    std::fprintf(stderr, "cleaner: cache filled, folders in %.1f s, entries in %.1f s%s\n", (folders - start) / 1000,
                 (NowMs() - folders) / 1000, ok ? "" : " (with failures)");
    return ok;
}

double TimeVeil() {
    CCleanCacheDlg veil;
    const double start = NowMs();
    veil.DoModal();
    return NowMs() - start;
}

double TimePlainWalk() {
    const double start = NowMs();
    PlainDeleteWalk(CookiesFolder());
    PlainDeleteWalk(InternetCacheFolder());
    return NowMs() - start;
}

EscapeWhen WhenHalfGone(std::vector<std::wstring> sample, int (*present)(const std::vector<std::wstring>&)) {
    double lastLook = -kProgressLookMs;
    return [sample, present, lastLook](double sinceShownMs) mutable {
        if (sinceShownMs - lastLook < kProgressLookMs)
            return false;
        lastLook = sinceShownMs;
        return present(sample) * 2 <= static_cast<int>(sample.size());
    };
}

std::optional<double> EscapeToClosed(EscapeWhen when) {
    CCleanCacheDlg veil;
    return RunProbedModal(veil, std::move(when)).escapeToClosedMs;
}
