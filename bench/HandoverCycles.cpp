#include "HandoverCycles.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "BareBrowserHost.h"
#include "Clock.h"
#include "GameDialog.h"
#include "GameHandoff.h"
#include "LoginApp.h"
#include "LoginSession.h"
#include "ThreadState.h"
#include "resource.h"
#include "support/Wait.h"

namespace {

constexpr wchar_t kGameAddress[] = L"http://127.0.0.1:9/play?client=1&server=3";
constexpr int kCreationSamples = 10;

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

void LookAfter(int cycle, CycleFigures& f) {
    if (cycle == 0)
        f.afterFirst = TakeProcessFigures();
    if (cycle + 1 == kMarkCycle) {
        f.afterHundred = TakeProcessFigures();
        f.mapHundred = TakeMemoryMap();
    }
}

void LookAtTheEnd(CycleFigures& f) {
    f.afterAll = TakeProcessFigures();
    f.mapAll = TakeMemoryMap();
    if (f.mapHundred.heaps.empty()) {
        f.afterHundred = f.afterAll;
        f.mapHundred = f.mapAll;
    }
}

}  // namespace

CycleFigures RunLauncherCycles(LoginSession& session, int cycles) {
    CycleFigures f;
    auto shown = [&] { return session.GameShown(); };
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle % 100 == 0)
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
        // As the application's message loop does after every message: the
        // window objects made for foreign handles go.
        AfxDeleteTemporaryMap();
        LookAfter(cycle, f);
    }
    LookAtTheEnd(f);
    return f;
}

CycleFigures RunBareHostCycles(int cycles) {
    CycleFigures f;
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle % 100 == 0)
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
        AfxDeleteTemporaryMap();
        LookAfter(cycle, f);
    }
    LookAtTheEnd(f);
    return f;
}

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
