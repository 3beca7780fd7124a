#include "envreport/os/version_access.h"

#include "common/optional_functions.h"

static BOOL LiveGetVersion(OSVERSIONINFOA* info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(info);
#pragma GCC diagnostic pop
}

// Looked up: Windows before Vista has no GetProductInfo.
static BOOL LiveGetProductInfo(DWORD major, DWORD minor, DWORD servicePackMajor, DWORD servicePackMinor,
                               DWORD* type) {
    GetProductInfoFunction getProductInfo = OptionalGetProductInfo();
    if (!getProductInfo) return FALSE;
    return getProductInfo(major, minor, servicePackMajor, servicePackMinor, type);
}

// GetNativeSystemInfo arrived with XP; before it the process's own view is
// the machine's.
static WORD LiveNativeArchitecture() {
    GetNativeSystemInfoFunction getNativeSystemInfo = OptionalGetNativeSystemInfo();
    SYSTEM_INFO system = {};
    if (getNativeSystemInfo) getNativeSystemInfo(&system);
    else GetSystemInfo(&system);
    return system.wProcessorArchitecture;
}

static USHORT LiveNativeMachine() {
    IsWow64Process2Function isWow64Process2 = OptionalIsWow64Process2();
    USHORT process = 0, native = 0;
    if (!isWow64Process2 || !isWow64Process2(GetCurrentProcess(), &process, &native)) return 0;
    return native;
}

const VersionAccess LiveVersion = {LiveGetVersion, LiveGetProductInfo, LiveNativeArchitecture,
                                   LiveNativeMachine};
VersionAccess Version = LiveVersion;
