#include "setup/shell_calls.h"

#include "envreport/system_library.h"

// Once loaded, a library stays for the life of the process.
static void* ShellFunction(const char* dll, const char* name) {
    if (!GetModuleHandleA(dll)) LoadSystemLibrary(dll);
    return LoadedLibraryFunction(dll, name);
}

HRESULT InitializeCom() {
    auto call = (HRESULT(WINAPI*)(void*))ShellFunction("ole32.dll", "CoInitialize");
    return call ? call(NULL) : E_FAIL;
}

void UninitializeCom() {
    auto call = (void(WINAPI*)())ShellFunction("ole32.dll", "CoUninitialize");
    if (call) call();
}

HRESULT CreateComInstance(REFCLSID classId, REFIID interfaceId, void** object) {
    auto call = (HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**))ShellFunction("ole32.dll",
                                                                                           "CoCreateInstance");
    *object = NULL;
    return call ? call(classId, NULL, CLSCTX_INPROC_SERVER, interfaceId, object) : E_FAIL;
}

void FreeComMemory(void* block) {
    auto call = (void(WINAPI*)(void*))ShellFunction("ole32.dll", "CoTaskMemFree");
    if (call) call(block);
}

HRESULT GetSpecialFolderLocation(int csidl, LPITEMIDLIST* folder) {
    auto call = (HRESULT(WINAPI*)(HWND, int, LPITEMIDLIST*))ShellFunction("shell32.dll", "SHGetSpecialFolderLocation");
    *folder = NULL;
    return call ? call(NULL, csidl, folder) : E_FAIL;
}

BOOL GetPathFromIdList(LPCITEMIDLIST list, char* path) {
    auto call = (BOOL(WINAPI*)(LPCITEMIDLIST, char*))ShellFunction("shell32.dll", "SHGetPathFromIDListA");
    return call ? call(list, path) : FALSE;
}

HINSTANCE OpenWithShell(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show) {
    auto call = (HINSTANCE(WINAPI*)(HWND, const char*, const char*, const char*, const char*, int))ShellFunction(
        "shell32.dll", "ShellExecuteA");
    // ShellExecuteA's own "out of memory" result.
    return call ? call(owner, verb, file, parameters, folder, show) : (HINSTANCE)0;
}
