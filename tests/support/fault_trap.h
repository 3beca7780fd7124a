// Feeding code untrusted input so that its faults are caught, not fatal:
// the input ends right before an inaccessible page, so a read past its
// end faults at once, as it would under a sanitizer; a fault is trapped
// and named, and an input that runs too long ends the process after a
// last word from the caller.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// Where PlaceBeforeGuardPage put the bytes: they end where the
// inaccessible page begins.
struct GuardedBytes {
    const char* data;
    size_t size;
};
// Copies `bytes` there; the pages are reused by the next placement.
GuardedBytes PlaceBeforeGuardPage(const std::string& bytes);

// Runs `run(context)` on this thread. False when it raised a hardware
// exception (an access violation and the like), named in `fault`; what
// `run` had on its stack is abandoned, not unwound.
bool RunTrapped(void (*run)(void* context), void* context, char* fault, size_t faultSize);

// Watches every input from InputStarted to InputEnded: one that takes
// longer than `limitMs` gets `onHang` called on the watch's thread, then
// the process ends with exit code 3.
void StartHangWatch(DWORD limitMs, void (*onHang)());
void InputStarted();
void InputEnded();
