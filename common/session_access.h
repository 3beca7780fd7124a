// What the program asks of the user's session: the system metrics (remote
// session, screens, mouse, edition), the pointer position, the time since
// start, the time of the last input the system registered, whether the
// input desktop is the user's own, the power manager's idle reset and
// power requests, which keys and buttons are held, the local clock and
// whether a program runs.
// Both the nudge and the report reach them only through `Session`, so a
// test can play a remote session, a pointer that cannot be read (secure
// desktop), an uptime, input that Windows dropped, a locked desktop, a
// held key, a clock set forward, a watched program gone or a Windows
// that takes power requests, which Wine cannot be made to be.
#pragma once
#include <windows.h>

struct SessionAccess {
    int(WINAPI* getSystemMetrics)(int index);
    BOOL(WINAPI* getCursorPos)(LPPOINT point);
    DWORD(WINAPI* getTickCount)();
    // The tick of the last input; false where Windows cannot tell
    // (GetLastInputInfo is missing or fails).
    bool (*lastInputTick)(DWORD* tick);
    // The input desktop can be opened and is "Default": not the lock
    // screen, not the secure desktop of a consent prompt.
    bool (*inputDesktopIsUsers)();
    EXECUTION_STATE(WINAPI* setThreadExecutionState)(EXECUTION_STATE flags);
    // Windows 7 on; INVALID_HANDLE_VALUE and FALSE where they are missing.
    HANDLE(WINAPI* powerCreateRequest)(PREASON_CONTEXT context);
    BOOL(WINAPI* powerSetRequest)(HANDLE request, POWER_REQUEST_TYPE type);
    BOOL(WINAPI* powerClearRequest)(HANDLE request, POWER_REQUEST_TYPE type);
    SHORT(WINAPI* getAsyncKeyState)(int virtualKey);
    void(WINAPI* getLocalTime)(LPSYSTEMTIME time);
    // Whether a process of that file name runs, whoever started it,
    // compared without case; false where the process list cannot be read.
    bool (*processRuns)(const wchar_t* fileName, bool* runs);
};

extern SessionAccess Session;
extern const SessionAccess LiveSession;
