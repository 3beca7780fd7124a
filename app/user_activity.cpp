#include "app/user_activity.h"

#include "app/nudge_check.h"
#include "app/tick_order.h"
#include "common/session_access.h"

// Input stamped a moment ahead of this thread's clock is as fresh as it
// gets.
DWORD UserIdleRemaining(DWORD interval) {
    DWORD lastInput;
    if (!Session.lastInputTick(&lastInput) || IsOwnInput(lastInput)) return 0;
    DWORD now = Session.getTickCount();
    DWORD idle = TickNotBefore(now, lastInput) ? now - lastInput : 0;
    return idle < interval ? interval - idle : 0;
}

static bool IsHeld(int virtualKey) {
    return Session.getAsyncKeyState(virtualKey) < 0;
}

static const int MouseButtons[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2};

// A held button is a drag, paused or not. A Shift tap among held keys
// would change what they type, or release a Shift the user is pressing.
// With an elevated window in front, GetAsyncKeyState sees nothing held;
// Windows then drops the injected input as well, so it disturbs nothing.
bool UserHoldsInput(bool shiftMode) {
    if (shiftMode) {
        for (int key = 0x01; key <= 0xFE; ++key)
            if (IsHeld(key)) return true;
        return false;
    }
    for (int button : MouseButtons)
        if (IsHeld(button)) return true;
    return false;
}
