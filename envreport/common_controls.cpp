#include "envreport/common_controls.h"

#include <shlwapi.h>

#include "setup/paths.h"

// Kept for later calls; an empty text means not read yet (or failed).
static char SystemFolder[PathBufferSize];

HMODULE LoadCommonControlsFromSystemDir() {
    if (SystemFolder[0] == '\0') {
        UINT length = GetSystemDirectoryA(SystemFolder, sizeof SystemFolder);
        if (length == 0 || length >= sizeof SystemFolder) {
            SystemFolder[0] = '\0';
            return NULL;
        }
    }
    char saved[PathBufferSize];
    DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
    if (savedLength == 0 || savedLength >= sizeof saved) saved[0] = '\0';
    SetCurrentDirectoryA(SystemFolder);
    HMODULE library = LoadLibraryA("COMCTL32.DLL");
    if (saved[0] != '\0') SetCurrentDirectoryA(saved);
    return library;
}

unsigned short GetCommonControlsVersion() {
    HMODULE library = LoadCommonControlsFromSystemDir();
    if (!library) return 0;
    unsigned short version = 0;
    DLLGETVERSIONPROC dllGetVersion = (DLLGETVERSIONPROC)(void*)GetProcAddress(library, "DllGetVersion");
    if (dllGetVersion) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (SUCCEEDED(dllGetVersion(&info))) version = (unsigned short)(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }
    FreeLibrary(library);
    return version;
}

unsigned CommonControlsVersionOr400() {
    unsigned short version = GetCommonControlsVersion();
    return version != 0 ? version : 400;
}
