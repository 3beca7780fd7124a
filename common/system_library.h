// Loading a Windows library by its full path in the system folder.
#pragma once
#include <windows.h>

// The library `fileName` (such as "winmm.dll") from the system folder, or
// NULL. A full path keeps a same-named DLL beside the program or in the
// current folder from being picked up, and what the library imports comes
// from the system folder too. Not for the common controls: a full path
// would bypass the manifest's side-by-side version. The caller frees it.
HMODULE LoadSystemLibrary(const char* fileName);
