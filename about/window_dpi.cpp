#include "about/window_dpi.h"

#include "common/optional_functions.h"
#include "common/system_dpi.h"

unsigned WindowDpi(HWND window) {
    GetDpiForWindowFunction getDpiForWindow = OptionalGetDpiForWindow();
    UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}
