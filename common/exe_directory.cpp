#include "common/exe_directory.h"

#include <windows.h>

#include "common/paths.h"

bool RestoreExeDirectory() {
    wchar_t path[PathBufferSize];
    if (!GetOwnExePath(path)) return false;
    if (!CutToFolder(path)) return false;
    return SetCurrentDirectoryW(path) != FALSE;
}
