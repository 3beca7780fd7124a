#include "common/exe_directory.h"

#include <windows.h>

#include "common/paths.h"

bool CutToFolder(char* path) {
    int i = LastBackslashAt(path);
    if (i < 1) return false;
    path[i > 4 ? i : i + 1] = '\0';
    return true;
}

bool RestoreExeDirectory() {
    char path[PathBufferSize];
    if (!GetOwnExePath(path)) return false;
    if (!CutToFolder(path)) return false;
    return SetCurrentDirectoryA(path) != FALSE;
}
