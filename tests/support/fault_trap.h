// Feeding code untrusted input so that its faults are caught, not fatal:
// the input ends right before an inaccessible page, so a read past its
// end faults at once, as it would under a sanitizer, and a fault is
// trapped and named.
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
// Copies `bytes` there; the pages are reused by the next placement. No
// data when the pages could not be had or made inaccessible.
GuardedBytes PlaceBeforeGuardPage(const std::string& bytes);

// Runs `run(context)` on this thread. False when it raised a hardware
// exception (an access violation and the like), named in `fault`; what
// `run` had on its stack is abandoned, not unwound.
bool RunTrapped(void (*run)(void* context), void* context, char* fault, size_t faultSize);
