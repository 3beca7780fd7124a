#include "common/exe_directory.h"

#include <windows.h>

#include <cstring>

#include "common/paths.h"

bool CutToFolder(char* path) {
    for (int i = (int)strlen(path) - 1; i >= 1; --i) {
        if (path[i] != '\\' || IsLeadByteAt(path, i - 1)) continue;
        path[i > 4 ? i : i + 1] = '\0';
        return true;
    }
    return false;
}

bool RestoreExeDirectory() {
    char path[PathBufferSize];
    if (!GetOwnExePath(path)) return false;
    if (!CutToFolder(path)) return false;
    return SetCurrentDirectoryA(path) != FALSE;
}
