#include "envreport/os/common_controls.h"

#include "common/optional_functions.h"

// major x 100 + minor from DllGetVersion, or 0 when it cannot be told.
static unsigned short GetCommonControlsVersion() {
    CommonControlsDllGetVersionFunction dllGetVersion = OptionalCommonControlsDllGetVersion();
    if (!dllGetVersion) return 0;
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (FAILED(dllGetVersion(&info))) return 0;
    return (unsigned short)(info.dwMajorVersion * 100 + info.dwMinorVersion);
}

unsigned CommonControlsVersionOr400() {
    unsigned short version = GetCommonControlsVersion();
    return version != 0 ? version : 400;
}
