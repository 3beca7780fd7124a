#include "setup/paths.h"

#include <windows.h>

#include <cstring>

#include "setup/exe_directory.h"

bool GetOwnExePath(char (&path)[PathBufferSize]) {
    DWORD n = GetModuleFileNameA(NULL, path, PathBufferSize);
    if (n == 0 || n >= PathBufferSize) {
        path[0] = '\0';
        return false;
    }
    return true;
}

// A final '\' or '/' is a separator unless it is the second byte of a
// double-byte character.
static bool EndsWithSeparator(const char* folder) {
    int last = (int)strlen(folder) - 1;
    if (last < 0) return false;
    return (folder[last] == '\\' || folder[last] == '/') && !IsLeadByteAt(folder, last - 1);
}

bool JoinFolderAndName(char (&result)[PathBufferSize], const char* folder, const char* stem, const char* extension) {
    const char* separator = EndsWithSeparator(folder) ? "" : "\\";
    size_t needed = strlen(folder) + strlen(separator) + strlen(stem) + strlen(extension);
    if (needed >= PathBufferSize) {
        result[0] = '\0';
        return false;
    }
    strcpy(result, folder);
    strcat(result, separator);
    strcat(result, stem);
    strcat(result, extension);
    return true;
}
