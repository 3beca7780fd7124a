#include "common/system_dpi.h"

#include <windows.h>

unsigned SystemDpi() {
    HDC screen = GetDC(NULL);
    unsigned dpi = (unsigned)GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpi;
}
