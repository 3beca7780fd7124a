// The shell and COM functions the set-up dialog and the About box call.
// shell32 and ole32 cost a resident instance megabytes of private memory,
// yet an instance started from a shortcut never calls them, so they are
// loaded from the system folder the first time one of these is called.
// Each fails as its Windows function does when its library is missing.
#pragma once
#include <windows.h>
#include <shlobj.h>

HRESULT InitializeCom();
void UninitializeCom();
void FreeComMemory(void* block);

// A shell link object with its file interface: what writes and reads a
// .LNK file.
struct ShellLinkObject {
    IShellLinkW* link;
    IPersistFile* file;
};
// False, holding nothing, when COM cannot make one.
bool CreateShellLinkObject(ShellLinkObject* object);
void ReleaseShellLinkObject(ShellLinkObject* object);

HRESULT GetSpecialFolderLocation(int csidl, LPITEMIDLIST* folder);
BOOL GetPathFromIdList(LPCITEMIDLIST list, wchar_t* path);
// Opens `target` (a file, a page, a mailto: address) as a double click
// would, with `folder` as working directory. ShellExecuteW's result.
HINSTANCE OpenWithShell(HWND owner, const wchar_t* target, const wchar_t* folder);
