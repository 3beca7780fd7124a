#include "common/system_library.h"

#include <cstring>

HMODULE LoadSystemLibrary(const char* fileName) {
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    size_t nameLength = strlen(fileName);
    if (length == 0 || length + 1 + nameLength + 1 > sizeof path) return NULL;
    path[length] = '\\';
    memcpy(path + length + 1, fileName, nameLength + 1);
    return LoadLibraryA(path);
}
