// Whether Windows registered a nudge. Injected input can be dropped
// without a word: an elevated foreground window (privilege isolation), a
// virtual machine that has captured the pointer, an input queue far
// behind. A short while after each nudge the last-input time shows
// whether it counted; where it did not, and the user's own desktop is
// unlocked, the power manager resets the idle timers instead.
#pragma once
#include <windows.h>

// Right after a nudge injected at tick `sent`: sets the one-shot check
// timer on `window`. Nothing in a remote session or where Windows cannot
// tell the time of the last input.
void StartNudgeCheck(HWND window, DWORD sent);

// On the check timer: ends it, then resets the idle timers if the nudge
// left no trace and the session is the user's unlocked desktop.
void FinishNudgeCheck(HWND window);
