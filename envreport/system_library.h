// Loading a Windows library by its full path in the system folder.
#pragma once
#include <windows.h>

// The library `fileName` (such as "winmm.dll") from the system folder, or
// NULL. A full path keeps a same-named DLL beside the program or in the
// current folder from being picked up. The caller frees it.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a library the process has already loaded (kernel32,
// user32), or NULL when this Windows lacks it. For calls newer than the
// oldest Windows the program runs on.
void* LoadedLibraryFunction(const char* module, const char* name);
