#include "common/shell_folders.h"

#include <cstring>

#include "common/shell_calls.h"

// SHGetPathFromIDListW writes at most MAX_PATH characters, well inside the
// buffer.
bool GetShellFolderPath(int csidl, wchar_t (&path)[PathBufferSize]) {
    memset(path, 0, sizeof path);
    LPITEMIDLIST folder = NULL;
    if (FAILED(GetSpecialFolderLocation(csidl, &folder)) || !folder) return false;
    BOOL found = GetPathFromIdList(folder, path);
    FreeComMemory(folder);
    if (!found) path[0] = L'\0';
    return path[0] != L'\0';
}
