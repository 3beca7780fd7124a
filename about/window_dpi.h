// The DPI a window is shown at, for sizes in pixels chosen for 96 dpi.
// The programs declare themselves DPI-aware, so Windows no longer scales
// what they draw with fonts of their own.
#pragma once
#include <windows.h>

// GetDpiForWindow (Windows 10 1607) knows the window's own monitor;
// before it one system DPI holds for every window.
unsigned WindowDpi(HWND window);
