// Which Windows the report runs on, told the way the report compares it.
#pragma once

// major x 100 + minor: 410 is Windows 98, 501 XP, 601 Windows 7. The 9x
// family keeps its numbers in the build field; a build without them is
// taken as 4.0 (Windows 95).
unsigned GetWindowsVersionCode();

// True when this 32-bit process runs under WOW64 on 64-bit Windows.
bool IsWow64();
