#include "common/shell_calls.h"

#include "common/optional_functions.h"

HRESULT InitializeCom() {
    CoInitializeFunction call = OptionalCoInitialize();
    return call ? call(NULL) : E_FAIL;
}

void UninitializeCom() {
    CoUninitializeFunction call = OptionalCoUninitialize();
    if (call) call();
}

static HRESULT CreateComInstance(REFCLSID classId, REFIID interfaceId, void** object) {
    CoCreateInstanceFunction call = OptionalCoCreateInstance();
    *object = NULL;
    return call ? call(classId, NULL, CLSCTX_INPROC_SERVER, interfaceId, object) : E_FAIL;
}

bool CreateShellLinkObject(ShellLinkObject* object) {
    object->file = NULL;
    if (FAILED(CreateComInstance(CLSID_ShellLink, IID_IShellLinkW, (void**)&object->link))) return false;
    if (SUCCEEDED(object->link->QueryInterface(IID_IPersistFile, (void**)&object->file))) return true;
    object->link->Release();
    object->link = NULL;
    object->file = NULL;
    return false;
}

void ReleaseShellLinkObject(ShellLinkObject* object) {
    object->file->Release();
    object->link->Release();
}

void FreeComMemory(void* block) {
    CoTaskMemFreeFunction call = OptionalCoTaskMemFree();
    if (call) call(block);
}

HRESULT GetSpecialFolderLocation(int csidl, LPITEMIDLIST* folder) {
    SHGetSpecialFolderLocationFunction call = OptionalSHGetSpecialFolderLocation();
    *folder = NULL;
    return call ? call(NULL, csidl, folder) : E_FAIL;
}

BOOL GetPathFromIdList(LPCITEMIDLIST list, wchar_t* path) {
    SHGetPathFromIDListWFunction call = OptionalSHGetPathFromIDListW();
    return call ? call(list, path) : FALSE;
}

HINSTANCE OpenWithShell(HWND owner, const wchar_t* target, const wchar_t* folder) {
    ShellExecuteWFunction call = OptionalShellExecuteW();
    // ShellExecuteW's own "out of memory" result.
    return call ? call(owner, L"open", target, NULL, folder, SW_SHOWNORMAL) : (HINSTANCE)0;
}
