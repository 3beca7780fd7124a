#include "about/window_dpi.h"

#include "common/optional_functions.h"
#include "envreport/os/screen_lines.h"

// GetDpiForWindow (Windows 10 1607) knows the window's own monitor;
// before it one system DPI holds for every window.
static unsigned WindowDpi(HWND window) {
    GetDpiForWindowFunction getDpiForWindow = OptionalGetDpiForWindow();
    UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

int ScaleToWindowDpi(HWND window, int pixelsAt96Dpi) {
    return MulDiv(pixelsAt96Dpi, (int)WindowDpi(window), 96);
}
