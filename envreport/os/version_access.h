// The calls that tell which Windows and which edition the report runs on.
// They are reached only through `Version`, so a test can present a version
// record of a Windows that Wine cannot be (a 95 OSR2 build, an XP Media
// Center) and drive exactly the code a live report runs.
#pragma once
#include <windows.h>

struct VersionAccess {
    // GetVersionExA: fills an OSVERSIONINFOA or, by its size field, an
    // OSVERSIONINFOEXA.
    BOOL (*getVersion)(OSVERSIONINFOA* info);
    // GetProductInfo; FALSE where Windows has none (before Vista).
    BOOL (*getProductInfo)(DWORD major, DWORD minor, DWORD servicePackMajor, DWORD servicePackMinor, DWORD* type);
    // wProcessorArchitecture of the machine rather than of this process:
    // a 32-bit process on x64 Windows is told "x86" by GetSystemInfo.
    WORD (*nativeArchitecture)();
    // The machine IsWow64Process2 names (IMAGE_FILE_MACHINE_ARM64 on an
    // ARM64 host), or 0 where Windows has no such call (before 10 1709).
    USHORT (*nativeMachine)();
};

extern VersionAccess Version;
extern const VersionAccess LiveVersion;
