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
    return LoadLibraryW(path);
}
