#include "common/system_library.h"

#include "common/ansi_text.h"
#include "common/paths.h"
#include "common/system_folder.h"

HMODULE LoadSystemLibrary(const char* fileName) {
    const wchar_t* folder = SystemFolderPath();
    wchar_t name[64];
    wchar_t path[PathBufferSize];
    if (folder[0] == L'\0' || !WidenText(CP_ACP, fileName, name, sizeof name / sizeof *name) ||
        !JoinFolderAndName(path, folder, name, L""))
        return NULL;
    // The library's own imports then come from its folder, the system
    // folder, where the search is not restricted to it (Vista and 7
    // without the update), not from the program's folder.
    return LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}
