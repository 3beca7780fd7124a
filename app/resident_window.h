// The hidden window that owns the nudge timer while the program is
// resident. A later start finds it by class and title and sends it
// WM_DESTROY to end residency.
#pragma once
#include <windows.h>

#include "common/product_identity.h"

// Class name and title alike.
const char* const ResidentWindowName = ProductCaption;
// Period NudgeInterval; a one-shot instead while the user works.
const UINT_PTR JiggleTimerId = 5455;
// The one-shot check whether Windows registered the nudge. A quarter
// second lets a busy input queue catch up (it takes well under a
// millisecond when idle) and still ends before the next nudge at the
// shortest interval the set-up dialog offers, one second. A shorter
// interval from the command line finishes it at the next tick.
const UINT_PTR NudgeCheckTimerId = 5456;
const UINT NudgeCheckDelay = 250;

void RegisterResidentClass(HINSTANCE instance);
bool CreateResidentWindow(HINSTANCE instance);
LRESULT CALLBACK ResidentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
