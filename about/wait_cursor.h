// The wait cursor while the About box's thread is busy: building the
// report takes over a second of clock measurement, and many more where an
// optical drive answers slowly, during which the box cannot answer.
#pragma once
#include <windows.h>

// Shows the wait cursor; returns the cursor to restore.
HCURSOR BeginWaitCursor();
// Restores it; the arrow when there was none.
void EndWaitCursor(HCURSOR previous);
