// Which Windows the report runs on, told the way the report compares it.
#pragma once
#include <windows.h>

// major x 100 + minor: 410 is Windows 98, 501 XP, 601 Windows 7. The 9x
// family keeps its numbers in the build field; a build without them is
// taken as 4.0 (Windows 95).
unsigned GetWindowsVersionCode();

// True when this 32-bit process runs under WOW64 on 64-bit Windows.
bool IsWow64();

// The basic version record with the 9x family's numbers taken from its
// build field. Without them the program runs in a Windows 95
// compatibility mode of a later Windows, and the numbers stay as given.
struct BasicVersion {
    DWORD platformId;
    DWORD major, minor;
    DWORD build;  // low 16 bits on every platform
    bool compatibilityMode;
    unsigned versionCode;  // major x 100 + minor of the adjusted numbers
    char csdVersion[128];
};
void ReadBasicVersion(BasicVersion& version);

// The extended record (service pack, suite mask, product type), all zero
// where Windows cannot give it (before NT 4.0 SP6).
OSVERSIONINFOEXA ReadExtendedVersion();
