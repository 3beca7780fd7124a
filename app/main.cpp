// swaypix.exe: keeps the PC awake by nudging the pointer or tapping Shift.
#include <windows.h>

#include <cstdlib>

#include "app/startup.h"
#include "common/dll_search.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
    RestrictDllSearchToSystemFolder();
    return RunStartup(instance, commandTail, __argc, __argv);
}
