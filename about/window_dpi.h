// Sizes in pixels chosen for 96 dpi, at the DPI a window is shown at. The
// programs declare themselves DPI-aware, so Windows no longer scales what
// they draw with fonts of their own.
#pragma once
#include <windows.h>

int ScaleToWindowDpi(HWND window, int pixelsAt96Dpi);
