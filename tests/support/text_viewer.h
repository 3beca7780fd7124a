// The text viewer the shell opens a report with (Wine's notepad), found by
// the file name in its caption and read back as the user sees it.
#pragma once
#include <windows.h>

#include <string>

// A top-level window whose caption contains `fileName`, or NULL.
HWND WaitForViewerOf(const char* fileName, DWORD timeoutMs);
// The text of the viewer's edit area.
std::wstring ViewerText(HWND viewer);
// Closes every viewer still showing `fileName`.
void CloseViewersOf(const char* fileName);
