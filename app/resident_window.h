// The hidden window that owns the nudge timer while the program is
// resident. A later start finds it by class and title and sends it
// WM_DESTROY to end residency.
#pragma once
#include <windows.h>

extern const char ResidentWindowName[];  // class name and title alike
const UINT_PTR JiggleTimerId = 5455;

// The two session queries a nudge depends on. Tests point them elsewhere
// to play a remote session or a pointer that cannot be read (secure
// desktop), which Wine cannot be made to be.
struct NudgeSessionQueries {
    int (WINAPI *getSystemMetrics)(int index);
    BOOL (WINAPI *getCursorPos)(LPPOINT point);
};
extern NudgeSessionQueries NudgeSession;

void RegisterResidentClass(HINSTANCE instance);
bool CreateResidentWindow(HINSTANCE instance);
LRESULT CALLBACK ResidentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
