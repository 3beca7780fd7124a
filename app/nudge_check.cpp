#include "app/nudge_check.h"

#include "app/resident_window.h"
#include "common/session_access.h"

// When the last nudge was injected.
static DWORD NudgeSentTick;

// Across the wrap of the tick count after 49.7 days: later means less
// than half the counter's range ahead.
static bool TickNotBefore(DWORD tick, DWORD reference) {
    return (DWORD)(tick - reference) < 0x80000000u;
}

void StartNudgeCheck(HWND window, DWORD sent) {
    if (Session.getSystemMetrics(SM_REMOTESESSION)) return;
    DWORD lastInput;
    if (!Session.lastInputTick(&lastInput)) return;
    NudgeSentTick = sent;
    SetTimer(window, NudgeCheckTimerId, NudgeCheckDelay, NULL);
}

// Without ES_CONTINUOUS the flags reset the idle timers once and stay
// set nowhere: the program holds no power request between nudges, and a
// locked PC is still let to sleep.
void FinishNudgeCheck(HWND window) {
    KillTimer(window, NudgeCheckTimerId);
    DWORD lastInput;
    if (!Session.lastInputTick(&lastInput) || TickNotBefore(lastInput, NudgeSentTick)) return;
    if (!Session.inputDesktopIsUsers()) return;
    Session.setThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
}
