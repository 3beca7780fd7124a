// swaypix.exe: keeps the PC awake by nudging the pointer or tapping Shift.
#include <windows.h>

#include "app/startup.h"
#include "common/dll_search.h"

// Wide, so a /WHILE name outside the system code page arrives whole.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandTail, int) {
    RestrictDllSearchToSystemFolder();
    return RunStartup(instance, commandTail);
}
