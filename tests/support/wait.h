// Polling helpers: windows and hooks answer asynchronously.
#pragma once
#include <windows.h>

// How long a test waits for something that must happen. Generous, because
// the machine may be loaded many times over; a passing test returns as
// soon as the event is seen and never waits that long.
const DWORD EventBoundMs = 120000;

// Calls done() every 10 ms until it is true or the time is up.
template <typename Done>
bool WaitUntil(DWORD timeoutMs, Done done) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}
