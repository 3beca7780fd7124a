#include "envreport/os/version_access.h"

#include "envreport/report_driver.h"
#include "envreport/system_library.h"

static BOOL LiveGetVersion(OSVERSIONINFOA* info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(info);
#pragma GCC diagnostic pop
}

// Looked up: Windows before Vista has no GetProductInfo.
static BOOL LiveGetProductInfo(DWORD major, DWORD minor, DWORD servicePackMajor, DWORD servicePackMinor,
                               DWORD* type) {
    typedef BOOL(WINAPI * GetProductInfoFunction)(DWORD, DWORD, DWORD, DWORD, PDWORD);
    GetProductInfoFunction getProductInfo =
        (GetProductInfoFunction)LoadedLibraryFunction("kernel32.dll", "GetProductInfo");
    if (!getProductInfo) return FALSE;
    return getProductInfo(major, minor, servicePackMajor, servicePackMinor, type);
}

static int LiveGetSystemMetric(int index) {
    return GetSystemMetrics(index);
}

// GetNativeSystemInfo arrived with XP; before it the process's own view is
// the machine's.
static WORD LiveNativeArchitecture() {
    typedef void(WINAPI * GetNativeSystemInfoFunction)(LPSYSTEM_INFO);
    GetNativeSystemInfoFunction getNativeSystemInfo =
        (GetNativeSystemInfoFunction)LoadedLibraryFunction("kernel32.dll", "GetNativeSystemInfo");
    if (!getNativeSystemInfo) return ReportSystemInfo.wProcessorArchitecture;
    SYSTEM_INFO native = {};
    getNativeSystemInfo(&native);
    return native.wProcessorArchitecture;
}

static USHORT LiveNativeMachine() {
    typedef BOOL(WINAPI * IsWow64Process2Function)(HANDLE, USHORT*, USHORT*);
    IsWow64Process2Function isWow64Process2 =
        (IsWow64Process2Function)LoadedLibraryFunction("kernel32.dll", "IsWow64Process2");
    USHORT process = 0, native = 0;
    if (!isWow64Process2 || !isWow64Process2(GetCurrentProcess(), &process, &native)) return 0;
    return native;
}

const VersionAccess LiveVersion = {LiveGetVersion, LiveGetProductInfo, LiveGetSystemMetric, LiveNativeArchitecture,
                                   LiveNativeMachine};
VersionAccess Version = LiveVersion;
