#include "common/dll_search.h"

#include <windows.h>

#include "common/optional_functions.h"
#include "common/system_library.h"

void RestrictDllSearchToSystemFolder() {
    SetDefaultDllDirectoriesFunction setDefault = OptionalSetDefaultDllDirectories();
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryAFunction setDirectory = OptionalSetDllDirectoryA();
    if (setDirectory) setDirectory("");
}

void LoadThemeLibrariesFromSystemFolder() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    LoadSystemLibrary("msimg32.dll");
    LoadSystemLibrary("uxtheme.dll");
}
