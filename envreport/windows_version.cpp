#include "envreport/windows_version.h"

#include <windows.h>

unsigned GetWindowsVersionCode() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return version.dwMajorVersion * 100 + version.dwMinorVersion;
    if (HIWORD(version.dwBuildNumber) == 0) return 400;
    return (version.dwBuildNumber >> 24) * 100 + ((version.dwBuildNumber >> 16) & 0xFF);
}

// IsWow64Process is missing before XP SP2, so it is looked up.
bool IsWow64() {
    typedef BOOL(WINAPI * IsWow64ProcessFunction)(HANDLE, PBOOL);
    IsWow64ProcessFunction isWow64Process =
        (IsWow64ProcessFunction)(void*)GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process");
    if (!isWow64Process) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) return false;
    return wow64 != FALSE;
}
