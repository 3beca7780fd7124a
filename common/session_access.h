// What the program asks of the user's session: the system metrics (remote
// session, screens, mouse, edition), the pointer position and the time
// since start. Both the nudge and the report reach them only through
// `Session`, so a test can play a remote session, a pointer that cannot be
// read (secure desktop) or an uptime, which Wine cannot be made to be.
#pragma once
#include <windows.h>

struct SessionAccess {
    int(WINAPI* getSystemMetrics)(int index);
    BOOL(WINAPI* getCursorPos)(LPPOINT point);
    DWORD(WINAPI* getTickCount)();
};

extern SessionAccess Session;
extern const SessionAccess LiveSession;
