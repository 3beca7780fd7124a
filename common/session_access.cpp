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

static HANDLE WINAPI LivePowerCreateRequest(PREASON_CONTEXT context) {
    PowerCreateRequestFunction create = OptionalPowerCreateRequest();
    return create ? create(context) : INVALID_HANDLE_VALUE;
}

static BOOL WINAPI LivePowerSetRequest(HANDLE request, POWER_REQUEST_TYPE type) {
    PowerSetRequestFunction set = OptionalPowerSetRequest();
    return set && set(request, type);
}

static BOOL WINAPI LivePowerClearRequest(HANDLE request, POWER_REQUEST_TYPE type) {
    PowerClearRequestFunction clear = OptionalPowerClearRequest();
    return clear && clear(request, type);
}

// Tool Help lists every process, elevated ones too. Windows NT 4.0 has
// none and Windows 9x no wide form: there the list cannot be read.
static bool LiveProcessRuns(const wchar_t* fileName, bool* runs) {
    CreateToolhelp32SnapshotFunction takeSnapshot = OptionalCreateToolhelp32Snapshot();
    Process32FirstWFunction first = OptionalProcess32FirstW();
    Process32NextWFunction next = OptionalProcess32NextW();
    if (!takeSnapshot || !first || !next) return false;
    HANDLE snapshot = takeSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    bool listed = first(snapshot, &entry) != FALSE;  // this process at least, unless the call failed
    *runs = false;
    for (BOOL more = listed; more && !*runs; more = next(snapshot, &entry))
        *runs = lstrcmpiW(entry.szExeFile, fileName) == 0;
    CloseHandle(snapshot);
    return listed;
}

const SessionAccess LiveSession = {GetSystemMetrics,       GetCursorPos,          GetTickCount,
                                   LiveLastInputTick,      LiveInputDesktopIsUsers, LiveSetThreadExecutionState,
                                   LivePowerCreateRequest, LivePowerSetRequest,   LivePowerClearRequest,
                                   GetAsyncKeyState,       GetLocalTime,          LiveProcessRuns};
SessionAccess Session = LiveSession;
