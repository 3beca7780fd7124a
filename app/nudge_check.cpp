#include "app/nudge_check.h"

#include "app/resident_window.h"
#include "app/tick_order.h"
#include "common/session_access.h"

// When the last nudge was injected, and whether its check is still due.
static DWORD NudgeSentTick;
static bool NudgeCheckPending;
// The last-input time read back after the latest nudge.
static DWORD OwnInputTick;
static bool OwnInputKnown;

void StartNudgeCheck(HWND window, DWORD sent) {
    DWORD lastInput;
    if (!Session.lastInputTick(&lastInput)) return;
    NudgeSentTick = sent;
    NudgeCheckPending = true;
    SetTimer(window, NudgeCheckTimerId, NudgeCheckDelay, NULL);
}

void CancelNudgeCheck(HWND window) {
    KillTimer(window, NudgeCheckTimerId);
    NudgeCheckPending = false;
}

// Without ES_CONTINUOUS the flags reset the idle timers once and stay
// set nowhere: the program holds no power request between nudges, and a
// locked PC is still let to sleep.
void FinishNudgeCheck(HWND window) {
    if (!NudgeCheckPending) return;
    CancelNudgeCheck(window);
    DWORD lastInput;
    if (!Session.lastInputTick(&lastInput)) return;
    OwnInputTick = lastInput;
    OwnInputKnown = true;
    if (TickNotBefore(lastInput, NudgeSentTick)) return;
    if (Session.getSystemMetrics(SM_REMOTESESSION) || !Session.inputDesktopIsUsers()) return;
    Session.setThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
}

// The last-input time only moves forward, so any other value is newer
// input; an order across half the counter's range would take a month's
// hibernation since the last nudge for "older".
bool IsOwnInput(DWORD lastInput) {
    return OwnInputKnown && lastInput == OwnInputTick;
}
