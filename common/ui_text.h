// The program's texts on the screen. They are kept in code page 932 and
// go through the wide calls, converted from 932 whatever the system's code
// page is, so Japanese reads right also on an English Windows or under
// code page 65001; English texts are ASCII, which 932 leaves as it is.
#pragma once
#include <windows.h>

// SetDlgItemTextW of the converted text.
BOOL SetUiItemText(HWND dialog, int controlId, const char* text);

// MessageBoxW with the converted text and caption, the theme libraries
// loaded from the system folder first (common/dll_search.h).
int ShowUiMessage(HWND owner, const char* text, const char* caption, UINT style);

// The same, the text's one "%s" replaced by `path`.
int ShowUiMessageWithPath(HWND owner, const char* format, const wchar_t* path, const char* caption, UINT style);
