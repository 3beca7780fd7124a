#include "setup/exe_directory.h"

#include <windows.h>

#include <cstring>

#include "setup/paths.h"

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

void EnterSystemFolder(char (&systemFolder)[PathBufferSize]) {
    UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    if (length == 0 || length >= sizeof systemFolder) lstrcpyA(systemFolder, "\\");
    SetCurrentDirectoryA(systemFolder);
}
