// The About box: version, the maker's links and the environment report.
#pragma once
#include <windows.h>

// Shows this program's About box, owned by `owner`, with the icon of the
// module `instance`; returns when closed.
INT_PTR ShowAboutBox(HWND owner, HINSTANCE instance);
