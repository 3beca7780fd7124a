// Message boxes that name a path.
#pragma once
#include <windows.h>

// Shows `format`, the program's own text with "%s" where the path goes,
// with the path as it is: through the wide call, so that a folder name
// outside the system code page reads right. Returns MessageBoxW's answer.
int ShowPathMessage(HWND owner, const char* format, const wchar_t* path, const char* caption, UINT flags);
