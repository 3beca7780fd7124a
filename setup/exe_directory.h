// The current directory around shell calls: the system folder while the
// shell opens something, the program's own folder again after.
#pragma once
#include "setup/paths.h"

// Cuts a full path to its folder in place: at the last real separator, or
// after it when that leaves a drive root such as "C:\". False, with the
// text untouched, when there is no separator.
bool CutToFolder(char* path);

// Sets the folder of the running executable as the current directory.
bool RestoreExeDirectory();

// Makes the system folder current before the shell opens something, so
// what it starts never searches or keeps busy the program's folder. The
// folder is left in `systemFolder` for the working directory; a failed
// GetSystemDirectoryA leaves "\\", the root of the current drive.
void EnterSystemFolder(char (&systemFolder)[PathBufferSize]);
