#include "common/paths.h"

#include <windows.h>

#include <cstring>

static bool IsShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsLeadByteAt(const char* text, int index) {
    if (index < 0) return false;
    for (int i = 0; text[i] != '\0'; ++i) {
        bool lead = IsShiftJisLead((unsigned char)text[i]) && text[i + 1] != '\0';
        if (i == index) return lead;
        if (lead) ++i;  // skip the second byte
    }
    return false;
}

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

int LastBackslashAt(const char* path) {
    for (int i = (int)strlen(path) - 1; i >= 0; --i)
        if (path[i] == '\\' && !IsLeadByteAt(path, i - 1)) return i;
    return -1;
}

const char* FileNameOf(const char* path) {
    return path + LastBackslashAt(path) + 1;
}
