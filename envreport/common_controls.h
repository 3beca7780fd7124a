// The common-controls library of the system folder and its version.
#pragma once
#include <windows.h>

// COMCTL32.DLL loaded from the system folder (never a copy beside the
// program or in the current directory), or NULL. The current directory is
// changed for the load and restored.
HMODULE LoadCommonControlsFromSystemDir();

// major x 100 + minor from DllGetVersion, or 0 when it cannot be told.
unsigned short GetCommonControlsVersion();

// The version, taking a library without DllGetVersion as 4.00.
unsigned CommonControlsVersionOr400();
