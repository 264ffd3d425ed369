#include "StartupBench.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "Poll.h"
#include "Stats.h"
#include "Table.h"
#include "support/Module.h"

namespace {

struct Program {
    const wchar_t* file;
    const wchar_t* title;  // of the window that counts as shown
    std::vector<double> samples;
    int failures = 0;
};

bool IsLayered(HWND window) {
    return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// One run: milliseconds to the window, or nothing when it never showed or
// the program did not end with code 0 after WM_CLOSE.
std::optional<double> TimeOneStart(const Program& program) {
    const double start = NowMs();
    ChildProcess child(L"\"" + BuiltFile(program.file) + L"\"");
    if (!child.Started())
        return std::nullopt;
    HWND window = nullptr;
    const bool shown = PollUntil(
        [&] {
            window = child.FindTopWindow(program.title, 0);  // one look
            return window != nullptr && IsLayered(window);
        },
        30000);
    const double elapsed = NowMs() - start;
    if (!shown)
        return std::nullopt;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (child.WaitForExit(20000) != 0)
        return std::nullopt;
    return elapsed;
}

void Run(Program& program, bool counted) {
    const std::optional<double> ms = TimeOneStart(program);
    if (!counted)
        return;
    if (ms)
        program.samples.push_back(*ms);
    else
        ++program.failures;
}

}  // namespace

void RunStartupBench(Table& table, int runs) {
    Program launcher{L"launcher.exe", L"Vesmera", {}, 0};
    Program baseline{L"bench_baseline.exe", L"Bench baseline", {}, 0};
    // The first start of each loads what later starts find in the caches.
    Run(launcher, false);
    Run(baseline, false);
    for (int i = 0; i < runs; ++i) {
        std::fprintf(stderr, "start-up: run %d of %d\n", i + 1, runs);
        Run(launcher, true);
        Run(baseline, true);
    }
    const Summary l = Summarise(launcher.samples);
    const Summary b = Summarise(baseline.samples);
    table.Section("Start-up: process start to the login window shown and layered");
    table.Add({"launcher.exe, median of " + std::to_string(l.count) + " runs", Milliseconds(l.median),
               Milliseconds(b.median), Ratio(l.median, b.median)});
    table.Add({"launcher.exe, fastest to slowest", Milliseconds(l.best) + " - " + Milliseconds(l.worst),
               Milliseconds(b.best) + " - " + Milliseconds(b.worst), ""});
    if (launcher.failures + baseline.failures > 0)
        table.Add({"runs that failed (no window, or exit code not 0)", std::to_string(launcher.failures),
                   std::to_string(baseline.failures), "runs"});
}
