// Comparing GetTickCount values across the counter's wrap after 49.7
// days: a tick is not before another when it lies less than half the
// counter's range ahead of it.
#pragma once
#include <windows.h>

inline bool TickNotBefore(DWORD tick, DWORD reference) {
    return (DWORD)(tick - reference) < 0x80000000u;
}
