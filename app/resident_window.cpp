#include "app/resident_window.h"

#include <climits>

#include "app/nudge_check.h"
#include "app/session_end.h"
#include "app/system_request.h"
#include "app/user_activity.h"
#include "app/working_hours.h"
#include "common/nudge_settings.h"
#include "common/session_access.h"
#include "res/resource.h"

void RegisterResidentClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ResidentWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SWAYPIX));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = ResidentWindowName;
    RegisterClassExA(&wc);
}

bool CreateResidentWindow(HINSTANCE instance) {
    HWND window = CreateWindowExA(0, ResidentWindowName, ResidentWindowName, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, NULL, NULL, instance, NULL);
    if (!window) return false;
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    return true;
}

// The way back from a move of `distance`: plain negation except for
// INT_MIN, whose negation does not exist; INT_MAX is as far as it goes.
static int ReturnDistance(int distance) {
    return distance == INT_MIN ? INT_MAX : -distance;
}

// Two relative moves of +d and -d make the system see input; putting the
// pointer back afterwards makes it end exactly where it was, whatever
// acceleration or the screen edge did to the moves. When the position
// cannot be read (locked workstation, secure desktop) there is nothing
// sound to restore, so the pointer is left where the moves put it.
// Returns whether it moved.
static bool NudgeMouse(int distance) {
    if (Session.getSystemMetrics(SM_REMOTESESSION)) return false;
    POINT before;
    bool known = Session.getCursorPos(&before) != FALSE;
    mouse_event(MOUSEEVENTF_MOVE, (DWORD)distance, 0, 0, 0);
    mouse_event(MOUSEEVENTF_MOVE, (DWORD)ReturnDistance(distance), 0, 0, 0);
    if (known) SetCursorPos(before.x, before.y);
    return true;
}

// Returns true, as NudgeMouse does when it moved.
static bool TapShift() {
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    return true;
}

static void Nudge(HWND window) {
    DWORD sent = Session.getTickCount();
    bool nudged = NudgeDistance != 0 ? NudgeMouse(NudgeDistance) : TapShift();
    if (nudged) StartNudgeCheck(window, sent);
}

// Set while the nudge timer is a one-shot for one interval after the
// user's last input; its tick puts the regular period back.
static bool AwaitingUserIdle;

static void StartRegularPeriod(HWND window) {
    SetTimer(window, JiggleTimerId, (UINT)NudgeInterval, NULL);
    AwaitingUserIdle = false;
}

// Whether a tick may act for the user: present after an unattended wake,
// on mains with /AC, inside /HOURS and /DAYS.
static bool SessionActive() {
    return UserPresentSinceWake() && SessionOnMains() && WithinWorkingHours();
}

// Sends nothing and checks nothing: a resting tick reads the clock, the
// power status and whether the user is present, injects nothing, starts
// no nudge check and makes no power call but to let go of the session's
// own system request, so the PC dims, locks and sleeps as its plan says.
static void Rest(HWND window) {
    CancelNudgeCheck(window);
    ReleaseSystemRequest();
    if (AwaitingUserIdle) StartRegularPeriod(window);
}

// A nudge only once a full interval has passed without the user's input.
// Waiting for the next regular tick instead could leave nearly two
// intervals without input, long enough for a one-minute screen saver at
// the default of 50 seconds.
static void NudgeOnceUserIdle(HWND window) {
    FinishNudgeCheck(window);
    DWORD remaining = UserIdleRemaining((DWORD)NudgeInterval);
    if (remaining) {
        SetTimer(window, JiggleTimerId, remaining, NULL);
        AwaitingUserIdle = true;
        return;
    }
    if (AwaitingUserIdle) StartRegularPeriod(window);
    if (!UserHoldsInput(NudgeDistance == 0)) Nudge(window);
}

// The bounds come first, so a PC resumed past its end ends without a last
// nudge. /SYSTEM sends no input: its tick only looks.
static void OnNudgeTimer(HWND window) {
    if (EndSessionIfDue(window)) return;
    if (!SessionActive()) Rest(window);
    else if (SessionBounds.systemOnly) TakeSystemRequest();
    else NudgeOnceUserIdle(window);
}

// A check pending now would light the display; a request held through
// the wake would keep awake a PC the user put to sleep.
static void OnUnattendedWake(HWND window) {
    NoteUnattendedWake();
    Rest(window);
}

// Windows ends power requests when the user puts the PC to sleep, so
// /SYSTEM takes its request again rather than trust that it still holds.
static void OnUserResume(HWND window) {
    NoteUserResume();
    if (!SessionBounds.systemOnly) return;
    ReleaseSystemRequest();
    OnNudgeTimer(window);
}

static void OnPowerBroadcast(HWND window, WPARAM event) {
    if (EndSessionIfDue(window)) return;
    if (event == PBT_APMRESUMEAUTOMATIC) OnUnattendedWake(window);
    if (event == PBT_APMRESUMESUSPEND) OnUserResume(window);
}

LRESULT CALLBACK ResidentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        StartRegularPeriod(window);
        // Either aims the end timer; the first nudge comes an interval on,
        // /SYSTEM's request at once.
        if (SessionBounds.systemOnly) OnNudgeTimer(window);
        else EndSessionIfDue(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, JiggleTimerId);
        KillTimer(window, SessionEndTimerId);
        CancelNudgeCheck(window);
        ReleaseSystemRequest();
        PostQuitMessage(0);
        return 0;
    case WM_TIMER:
        if (wParam == JiggleTimerId) OnNudgeTimer(window);
        else if (wParam == NudgeCheckTimerId) FinishNudgeCheck(window);
        else if (wParam == SessionEndTimerId) EndSessionIfDue(window);
        return 0;
    // Windows sends both to hidden windows too; Wine may send neither,
    // hence the end timer's minute.
    case WM_TIMECHANGE:
        EndSessionIfDue(window);
        return 0;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(window, wParam);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
