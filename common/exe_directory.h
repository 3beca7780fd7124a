// The program's own folder as the current directory.
#pragma once
#include "common/paths.h"

// Cuts a full path to its folder in place: at the last real separator, or
// after it when that leaves a drive root such as "C:\". False, with the
// text untouched, when there is no separator.
bool CutToFolder(char* path);

// Sets the folder of the running executable as the current directory.
bool RestoreExeDirectory();
