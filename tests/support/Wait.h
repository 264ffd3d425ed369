#pragma once
// Waiting on conditions with a deadline, while this thread's windows keep
// getting their messages.
#include <windows.h>
#include <functional>

// Dispatches this thread's messages until `condition` holds or `timeoutMs`
// has passed. Returns whether the condition held.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// The same, with each message offered to `preTranslate` first, as a
// program's own loop offers it to its windows; what it takes is not
// dispatched.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs,
               const std::function<BOOL(MSG*)>& preTranslate);

// Dispatches what is queued now (and what that queues in turn), without
// waiting for anything else.
void PumpPending();

// Waits (without pumping) until `condition` holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
