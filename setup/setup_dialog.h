// The set-up dialog (resource IDD_SETUP) shown when no interval is given.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
