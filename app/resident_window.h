// The hidden window that owns the nudge timer while the program is
// resident. A later start finds it by class and title and sends it
// WM_DESTROY to end residency.
#pragma once
#include <windows.h>

#include "common/product_identity.h"

// Class name and title alike.
const char* const ResidentWindowName = ProductCaption;
const UINT_PTR JiggleTimerId = 5455;

void RegisterResidentClass(HINSTANCE instance);
bool CreateResidentWindow(HINSTANCE instance);
LRESULT CALLBACK ResidentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
