// Loading a Windows library by its full path in the system folder.
#pragma once
#include <windows.h>

// The library `fileName` (such as "winmm.dll") from the system folder, or
// NULL. A full path keeps a same-named DLL beside the program or in the
// current folder from being picked up. The caller frees it.
HMODULE LoadSystemLibrary(const char* fileName);
