// The two settings the resident nudger runs on, and the module handle.
// They come from the command line or from the set-up dialog and live
// nowhere else.
#pragma once
#include <windows.h>

#include "common/nudge_bounds.h"

extern int NudgeInterval;  // timer period in ms; 0 = not given, show set-up
extern int NudgeDistance;  // pixels of the mouse nudge; 0 = tap Shift
extern NudgeBounds SessionBounds;  // when the resident session ends by itself
extern HINSTANCE ModuleInstance;
