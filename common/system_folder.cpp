#include "common/system_folder.h"

#include <windows.h>

bool EnterSystemFolder(SystemFolderVisit* visit) {
    DWORD previous = GetCurrentDirectoryA(sizeof visit->previousFolder, visit->previousFolder);
    if (previous == 0 || previous >= sizeof visit->previousFolder) visit->previousFolder[0] = '\0';
    UINT length = GetSystemDirectoryA(visit->systemFolder, sizeof visit->systemFolder);
    bool found = length != 0 && length < sizeof visit->systemFolder;
    if (!found) lstrcpyA(visit->systemFolder, "\\");
    SetCurrentDirectoryA(visit->systemFolder);
    return found;
}

void LeaveSystemFolder(const SystemFolderVisit& visit) {
    if (visit.previousFolder[0] != '\0') SetCurrentDirectoryA(visit.previousFolder);
}
