// What Windows made of a nudge. Injected input can be dropped without a
// word: an elevated foreground window (privilege isolation), a virtual
// machine that has captured the pointer, an input queue far behind. A
// short while after each nudge the last-input time shows whether it
// counted; where it did not, and the user's own unlocked desktop is in
// front, the power manager resets the idle timers instead. The time read
// back then is the program's own input: Windows counts injected input as
// input, and need not stamp it with the time the program sent it.
#pragma once
#include <windows.h>

// Right after a nudge injected at tick `sent`: sets the one-shot check
// timer on `window`. Nothing where Windows cannot tell the time of the
// last input.
void StartNudgeCheck(HWND window, DWORD sent);

// On the check timer, or before the next nudge when that comes first (an
// interval shorter than the check's delay): ends a pending check, takes
// the last-input time as the program's own, then resets the idle timers
// if the nudge left no trace, the session is not a remote one and the
// desktop is the user's unlocked one. Nothing when no check is pending.
void FinishNudgeCheck(HWND window);

// Ends a pending check without looking (the window goes away).
void CancelNudgeCheck(HWND window);

// Whether the input Windows last registered is the program's own: the
// last-input time read back after a nudge, unchanged.
bool IsOwnInput(DWORD lastInput);
