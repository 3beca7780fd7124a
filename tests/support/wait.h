// Polling helpers: windows and hooks answer asynchronously.
#pragma once
#include <windows.h>

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
