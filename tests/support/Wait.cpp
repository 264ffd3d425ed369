#include "Wait.h"

namespace {
void DispatchQueued(const std::function<BOOL(MSG*)>& preTranslate = nullptr) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (preTranslate && preTranslate(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
}  // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    return PumpUntil(condition, timeoutMs, nullptr);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs,
               const std::function<BOOL(MSG*)>& preTranslate) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        DispatchQueued(preTranslate);
        if (condition())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        // Sleep until a message arrives, but look at the condition again
        // now and then: it may depend on another thread or process.
        const DWORD slice = static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
    }
}

void PumpPending() {
    // Messages posted by handlers of the first batch are picked up too.
    for (int round = 0; round < 8; ++round)
        DispatchQueued();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(10);
    }
    return true;
}
