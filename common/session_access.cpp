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
// Looked up like the power call below: Windows 95 has neither, and a
// static import would keep the program from starting there at all.
static bool LiveInputDesktopIsUsers() {
    OpenInputDesktopFunction openInputDesktop = OptionalOpenInputDesktop();
    GetUserObjectInformationAFunction objectInformation = OptionalGetUserObjectInformationA();
    CloseDesktopFunction closeDesktop = OptionalCloseDesktop();
    if (!openInputDesktop || !objectInformation || !closeDesktop) return false;
    HDESK desktop = openInputDesktop(0, FALSE, DESKTOP_READOBJECTS | DESKTOP_SWITCHDESKTOP);
    if (!desktop) return false;
    char name[32] = "";
    DWORD needed = 0;
    bool named = objectInformation(desktop, UOI_NAME, name, sizeof name - 1, &needed) != FALSE;
    closeDesktop(desktop);
    return named && lstrcmpiA(name, "Default") == 0;
}

static EXECUTION_STATE WINAPI LiveSetThreadExecutionState(EXECUTION_STATE flags) {
    SetThreadExecutionStateFunction setState = OptionalSetThreadExecutionState();
    return setState ? setState(flags) : 0;
}

const SessionAccess LiveSession = {GetSystemMetrics,  GetCursorPos,           GetTickCount,
                                   LiveLastInputTick, LiveInputDesktopIsUsers, LiveSetThreadExecutionState,
                                   GetAsyncKeyState};
SessionAccess Session = LiveSession;
