// Shell shortcuts that start the program silently with its settings:
// SWAYPIX.LNK, or SWAYPIX(2).LNK ... SWAYPIX(65535).LNK when taken.
#pragma once
#include <windows.h>

enum ShortcutFolder { DesktopFolder, StartupFolder };

// Picks a free name in the folder, writes the shortcut and tells the user
// the outcome in a message box owned by `owner`. A null target (the
// program's own path could not be read) is reported as a failure.
void PlaceShortcut(HWND owner, ShortcutFolder folder, const wchar_t* target, const wchar_t* arguments);

// Writes one link file through the shell's link object. True only if it
// was saved with its target and arguments whole; a target of MAX_PATH
// characters or more writes nothing. Needs COM on the calling thread.
bool CreateShortcut(const wchar_t* target, const wchar_t* arguments, const wchar_t* linkPath);
