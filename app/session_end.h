// A bounded session: residency that ends by itself at a local clock time,
// after a number of minutes or once a watched program has exited, and
// that sends nothing on battery with /AC. Ending goes through the
// window's WM_DESTROY, as a second start's does: exit code 0, no message,
// for the user is away.
#pragma once
#include <windows.h>

// A one-shot aimed at the nearest end (at most a minute ahead, so a
// clock change is seen where no WM_TIMECHANGE comes), re-aimed after each
// check. Window timers run on the tick count, not on the clock.
const UINT_PTR SessionEndTimerId = 5457;

// At the start, before the window exists: fixes the /UNTIL time and the
// start of /FOR. False when /WHILE names a program that does not run; a
// process list that cannot be read lets the session start.
bool BeginSessionBounds();

// Destroys `window` when a bound is reached and returns true; otherwise
// re-aims the end timer. Nothing in a session without an end.
bool EndSessionIfDue(HWND window);

// False only with /AC while the PC runs on battery; an unknown power
// source, or one Windows cannot tell, counts as mains.
bool SessionOnMains();
