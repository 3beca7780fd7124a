#include "app/user_activity.h"

#include "app/nudge_check.h"
#include "app/tick_order.h"
#include "common/session_access.h"

// Input stamped this far ahead of this thread's clock is as fresh as it
// gets; any other difference is idle time, up to the counter's full range
// of 49.7 days, so an interval of weeks or a tick that comes late still
// reads the idle time it is.
static const DWORD InputAheadToleranceMs = 1000;

DWORD UserIdleRemaining(DWORD interval) {
    DWORD lastInput;
    if (!Session.lastInputTick(&lastInput) || IsOwnInput(lastInput)) return 0;
    DWORD now = Session.getTickCount();
    DWORD idle = lastInput - now <= InputAheadToleranceMs ? 0 : now - lastInput;
    return idle < interval ? interval - idle : 0;
}

static bool IsHeld(int virtualKey) {
    return Session.getAsyncKeyState(virtualKey) < 0;
}

static const int MouseButtons[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2};

// The Japanese keyboard and its IMEs report these as down with no matching
// up: Caps Lock (Shift+英数), the 半角/全角, 英数, カタカナ/ひらがな and
// Alt+ひらがな pairs (0xF0-0xF6), the IME's own codes and the kana/kanji
// toggles. One of a pair stays down until the other is pressed, so counting
// them would hold the tap back all day; a Shift tap beside them changes
// nothing.
static bool IsLatchingKey(int key) {
    return key == VK_CAPITAL || (key >= VK_KANA && key <= VK_IME_OFF) || (key >= 0xF0 && key <= VK_PA1);
}

// A held button is a drag, paused or not. A Shift tap among held keys
// would change what they type, or release a Shift the user is pressing.
// With an elevated window in front, GetAsyncKeyState sees nothing held;
// Windows then drops the injected input as well, so it disturbs nothing.
bool UserHoldsInput(bool shiftMode) {
    if (shiftMode) {
        for (int key = 0x01; key <= 0xFE; ++key)
            if (!IsLatchingKey(key) && IsHeld(key)) return true;
        return false;
    }
    for (int button : MouseButtons)
        if (IsHeld(button)) return true;
    return false;
}

static bool AwayAfterWake;
static DWORD WakeTick;

void NoteUnattendedWake() {
    AwayAfterWake = true;
    WakeTick = Session.getTickCount();
}

void NoteUserResume() {
    AwayAfterWake = false;
}

// The program sends nothing while the user is away, so newer input is
// the user's. IsSystemResumeAutomatic cannot tell: Wine answers FALSE
// every time.
bool UserPresentSinceWake() {
    DWORD lastInput;
    if (AwayAfterWake && Session.lastInputTick(&lastInput) && lastInput != WakeTick &&
        TickNotBefore(lastInput, WakeTick))
        AwayAfterWake = false;
    return !AwayAfterWake;
}
