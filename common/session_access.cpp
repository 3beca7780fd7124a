#include "common/session_access.h"

#include "common/optional_functions.h"

static bool LiveLastInputTick(DWORD* tick) {
    GetLastInputInfoFunction getLastInputInfo = OptionalGetLastInputInfo();
    if (!getLastInputInfo) return false;
    LASTINPUTINFO info = {};
    info.cbSize = sizeof info;
    if (!getLastInputInfo(&info)) return false;
    *tick = info.dwTime;
    return true;
}

// The lock screen and the consent prompt's secure desktop refuse a user's
// process the switch right; the name tells the user's desktop from any
// other it could open.
static bool LiveInputDesktopIsUsers() {
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS | DESKTOP_SWITCHDESKTOP);
    if (!desktop) return false;
    char name[32] = "";
    DWORD needed = 0;
    bool named = GetUserObjectInformationA(desktop, UOI_NAME, name, sizeof name - 1, &needed) != FALSE;
    CloseDesktop(desktop);
    return named && lstrcmpiA(name, "Default") == 0;
}

const SessionAccess LiveSession = {GetSystemMetrics,  GetCursorPos,           GetTickCount,
                                   LiveLastInputTick, LiveInputDesktopIsUsers, SetThreadExecutionState};
SessionAccess Session = LiveSession;
