// The folders the shell names by CSIDL, such as the user's desktop and
// Startup folder that shortcuts go into.
#pragma once
#include "common/paths.h"

// The folder's path, or false with `path` empty when the shell cannot
// name it.
bool GetShellFolderPath(int csidl, wchar_t (&path)[PathBufferSize]);
