// The About box: version, the maker's links and the environment report.
#pragma once
#include <windows.h>

// Shows this program's About box, owned by `owner`; returns when closed.
INT_PTR ShowAboutBox(HWND owner);
