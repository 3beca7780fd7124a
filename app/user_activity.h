// Whether the user is at the PC. While the user gives input the idle
// timers are fresh and a nudge adds nothing but risk: a 1-pixel jerk in a
// drag, a Shift among the user's keystrokes.
#pragma once
#include <windows.h>

// Milliseconds until one `interval` has passed since the user's own last
// input; 0 when it has, when the last input was the program's own nudge,
// or where Windows cannot tell the time of the last input.
DWORD UserIdleRemaining(DWORD interval);

// A mouse button held down, or in the Shift mode any key or button.
bool UserHoldsInput(bool shiftMode);

// Windows woke the PC by itself (a wake timer, maintenance, Wake-on-LAN)
// and lets it sleep again after a couple of minutes unless someone is
// there: a nudge then would light the display and keep the PC up until
// the user returns. From PBT_APMRESUMEAUTOMATIC the user counts as away
// until PBT_APMRESUMESUSPEND or input newer than the wake.
void NoteUnattendedWake();
void NoteUserResume();

// False while the user counts as away after an unattended wake; reads
// the last-input time only then.
bool UserPresentSinceWake();
