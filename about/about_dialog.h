// Behaviour of the About box: its texts, links and the report button.
#pragma once
#include <windows.h>

// Opens a link's target through the shell with `folder` as working
// directory, or says in a message box that it cannot.
void OpenLinkOrSayCannotExecute(HWND owner, const wchar_t* target, const wchar_t* folder, bool japanese,
                                const char* caption);

INT_PTR CALLBACK AboutDialogProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Installed on the notice box only: Ctrl+A selects all of its text.
LRESULT CALLBACK NoticeEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// The contact box's text for a record; cut at a character edge if long.
void FormatContactText(char* out, size_t size, const struct AboutBoxInfo& info);
