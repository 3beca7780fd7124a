#include "common/system_folder.h"

#include <windows.h>

static wchar_t SystemFolder[PathBufferSize];

const wchar_t* SystemFolderPath() {
    if (SystemFolder[0] == L'\0') {
        UINT length = GetSystemDirectoryW(SystemFolder, PathBufferSize);
        if (length == 0 || length >= PathBufferSize) SystemFolder[0] = L'\0';
    }
    return SystemFolder;
}

bool EnterSystemFolder(SystemFolderVisit* visit) {
    DWORD previous = GetCurrentDirectoryW(PathBufferSize, visit->previousFolder);
    if (previous == 0 || previous >= PathBufferSize) visit->previousFolder[0] = L'\0';
    visit->systemFolder = SystemFolderPath();
    bool found = visit->systemFolder[0] != L'\0';
    if (!found) visit->systemFolder = L"\\";
    SetCurrentDirectoryW(visit->systemFolder);
    return found;
}

void LeaveSystemFolder(const SystemFolderVisit& visit) {
    if (visit.previousFolder[0] != L'\0') SetCurrentDirectoryW(visit.previousFolder);
}
