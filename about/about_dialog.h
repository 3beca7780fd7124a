// Behaviour of the About box: its texts, links and the report button.
#pragma once
#include <windows.h>

INT_PTR CALLBACK AboutDialogProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Installed on the notice box only: Ctrl+A selects all of its text.
LRESULT CALLBACK NoticeEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// The contact box's text for a record; cut at a character edge if long.
void FormatContactText(char* out, size_t size, const struct AboutBoxInfo& info);
