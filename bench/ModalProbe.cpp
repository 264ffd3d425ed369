#include "ModalProbe.h"

#include <windows.h>
#include <atomic>
#include <thread>

#include "Clock.h"
#include "Dialog.h"
#include "support/Handles.h"
#include "Poll.h"
#include "support/Script.h"
#include "support/Wait.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 0x2B1;
constexpr DWORD kAnswerTimeoutMs = 10000;
constexpr DWORD kProbeIntervalMs = 5;
constexpr double kCloseTimeoutMs = 120000;

// What both threads see. The hook has no context of its own and finds the
// event through `g_probeTaken`.
struct Shared {
    std::atomic<HWND> window{nullptr};
    KernelObject shown{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelObject finished{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelObject taken{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::atomic<bool> done{false};
};
HANDLE g_probeTaken = nullptr;

LRESULT CALLBACK WatchTakenMessages(int code, WPARAM removal, LPARAM message) {
    const auto* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == kProbeMessage)
        ::SetEvent(g_probeTaken);
    return ::CallNextHookEx(nullptr, code, removal, message);
}

// Either of two events; true when it was the first.
bool FirstOf(HANDLE wanted, HANDLE giveUp) {
    const HANDLE events[] = {wanted, giveUp};
    return ::WaitForMultipleObjects(2, events, FALSE, kAnswerTimeoutMs) == WAIT_OBJECT_0;
}

void PressEscapeAndTimeTheClose(HWND window, ProbeResult& out) {
    const double pressed = NowMs();
    ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    if (PollUntil([&] { return !::IsWindowVisible(window); }, kCloseTimeoutMs))
        out.escapeToClosedMs = NowMs() - pressed;
}

void Probe(Shared& shared, const EscapeWhen& escapeWhen, ProbeResult& out) {
    if (!FirstOf(shared.shown.Get(), shared.finished.Get()))
        return;
    const HWND window = shared.window;
    const double begin = NowMs();
    while (::IsWindowVisible(window)) {
        if (escapeWhen && escapeWhen(NowMs() - begin)) {
            PressEscapeAndTimeTheClose(window, out);
            return;
        }
        double start = NowMs();
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &answer))
            out.sendMs.push_back(NowMs() - start);
        start = NowMs();
        if (::PostMessageW(window, kProbeMessage, 0, 0) && FirstOf(shared.taken.Get(), shared.finished.Get()))
            out.postMs.push_back(NowMs() - start);
        // The pace of probing; ends at once when the dialog is over.
        ::WaitForSingleObject(shared.finished.Get(), kProbeIntervalMs);
    }
}

}  // namespace

ProbeResult RunProbedModal(CDialog& dialog, const EscapeWhen& escapeWhen) {
    ProbeResult result;
    Shared shared;
    g_probeTaken = shared.taken.Get();
    HookHandle hook(::SetWindowsHookExW(WH_GETMESSAGE, &WatchTakenMessages, nullptr, ::GetCurrentThreadId()));
    std::thread prober([&] {
        Probe(shared, escapeWhen, result);
        shared.done = true;
    });

    Script script;
    script.Then([&] {
        shared.window = dialog.m_hWnd;
        ::SetEvent(shared.shown.Get());
    });
    const double start = NowMs();
    dialog.DoModal();
    result.modalMs = NowMs() - start;

    ::SetEvent(shared.finished.Get());
    // The prober may be inside a SendMessage to this thread.
    PumpUntil([&] { return shared.done.load(); }, 2 * kAnswerTimeoutMs);
    prober.join();
    g_probeTaken = nullptr;
    return result;
}
