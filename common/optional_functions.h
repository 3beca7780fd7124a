// The Windows functions the programs call only where Windows has them, or
// only from a library they do not import, in one table. Each is looked up
// once, on first use, in a library of the system folder; its accessor
// returns the typed pointer, or null where this Windows lacks it.
//
// Libraries come in three kinds: the ones every process has loaded
// (kernel32, user32); shell32 and ole32, which cost megabytes of private
// memory, and version, which is no known DLL and so must not be imported
// (Windows would take a version.dll beside the program first), so they
// are loaded on first use and then kept; and the
// libraries only the environment report needs, loaded on first use and
// released with ReleaseReportLibraries() when the report is done, so the
// resident program does not carry them.
#pragma once
#include <windows.h>
#include <iphlpapi.h>
#include <shlobj.h>
#include <shlwapi.h>

enum OptionalLibrary {
    LibraryKernel32,
    LibraryUser32,
    LibraryOle32,
    LibraryShell32,
    LibraryWinmm,
    LibraryIphlpapi,
    LibraryComctl32,
    LibraryPowrprof,
    LibraryVersion,
    OptionalLibraryCount
};

// X(library, accessor name, exported name, result type, parameter list)
#define SWAYPIX_OPTIONAL_FUNCTIONS(X)                                                                              \
    X(LibraryKernel32, GetProductInfo, "GetProductInfo", BOOL, (DWORD, DWORD, DWORD, DWORD, PDWORD))               \
    X(LibraryKernel32, GetNativeSystemInfo, "GetNativeSystemInfo", void, (LPSYSTEM_INFO))                         \
    X(LibraryKernel32, IsWow64Process, "IsWow64Process", BOOL, (HANDLE, PBOOL))                                   \
    X(LibraryKernel32, IsWow64Process2, "IsWow64Process2", BOOL, (HANDLE, USHORT*, USHORT*))                      \
    X(LibraryKernel32, GetActiveProcessorCount, "GetActiveProcessorCount", DWORD, (WORD))                         \
    X(LibraryKernel32, GetLogicalProcessorInformationEx, "GetLogicalProcessorInformationEx", BOOL,               \
      (int, void*, DWORD*))                                                                                       \
    X(LibraryUser32, GetDpiForWindow, "GetDpiForWindow", UINT, (HWND))                                            \
    X(LibraryUser32, SetDialogControlDpiChangeBehavior, "SetDialogControlDpiChangeBehavior", BOOL,               \
      (HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS))                         \
    X(LibraryUser32, GetLastInputInfo, "GetLastInputInfo", BOOL, (PLASTINPUTINFO))                                \
    X(LibraryUser32, OpenInputDesktop, "OpenInputDesktop", HDESK, (DWORD, BOOL, ACCESS_MASK))                      \
    X(LibraryUser32, GetUserObjectInformationA, "GetUserObjectInformationA", BOOL,                                \
      (HANDLE, int, void*, DWORD, DWORD*))                                                                        \
    X(LibraryUser32, CloseDesktop, "CloseDesktop", BOOL, (HDESK))                                                 \
    X(LibraryKernel32, SetThreadExecutionState, "SetThreadExecutionState", EXECUTION_STATE, (EXECUTION_STATE))    \
    X(LibraryKernel32, SetDefaultDllDirectories, "SetDefaultDllDirectories", BOOL, (DWORD))                       \
    X(LibraryKernel32, SetDllDirectoryA, "SetDllDirectoryA", BOOL, (const char*))                                 \
    X(LibraryKernel32, GetSystemPowerStatus, "GetSystemPowerStatus", BOOL, (LPSYSTEM_POWER_STATUS))               \
    X(LibraryOle32, CoInitialize, "CoInitialize", HRESULT, (void*))                                               \
    X(LibraryOle32, CoUninitialize, "CoUninitialize", void, ())                                                   \
    X(LibraryOle32, CoCreateInstance, "CoCreateInstance", HRESULT, (REFCLSID, IUnknown*, DWORD, REFIID, void**)) \
    X(LibraryOle32, CoTaskMemFree, "CoTaskMemFree", void, (void*))                                                \
    X(LibraryShell32, SHGetSpecialFolderLocation, "SHGetSpecialFolderLocation", HRESULT,                          \
      (HWND, int, LPITEMIDLIST*))                                                                                 \
    X(LibraryShell32, SHGetPathFromIDListW, "SHGetPathFromIDListW", BOOL, (LPCITEMIDLIST, wchar_t*))              \
    X(LibraryShell32, ShellExecuteW, "ShellExecuteW", HINSTANCE,                                                  \
      (HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int))                                \
    X(LibraryVersion, GetFileVersionInfoSizeW, "GetFileVersionInfoSizeW", DWORD, (const wchar_t*, DWORD*))       \
    X(LibraryVersion, GetFileVersionInfoW, "GetFileVersionInfoW", BOOL, (const wchar_t*, DWORD, DWORD, void*))    \
    X(LibraryVersion, VerQueryValueW, "VerQueryValueW", BOOL, (const void*, const wchar_t*, void**, UINT*))      \
    X(LibraryWinmm, TimeGetTime, "timeGetTime", DWORD, ())                                                        \
    X(LibraryIphlpapi, GetAdaptersInfo, "GetAdaptersInfo", DWORD, (PIP_ADAPTER_INFO, PULONG))                    \
    X(LibraryComctl32, CommonControlsDllGetVersion, "DllGetVersion", HRESULT, (DLLVERSIONINFO*))                  \
    X(LibraryPowrprof, PowerGetActiveScheme, "PowerGetActiveScheme", DWORD, (HKEY, GUID**))                       \
    X(LibraryPowrprof, PowerReadFriendlyName, "PowerReadFriendlyName", DWORD,                                     \
      (HKEY, const GUID*, const GUID*, const GUID*, UCHAR*, DWORD*))                                              \
    X(LibraryPowrprof, PowerReadACValueIndex, "PowerReadACValueIndex", DWORD,                                     \
      (HKEY, const GUID*, const GUID*, const GUID*, DWORD*))                                                      \
    X(LibraryPowrprof, PowerReadDCValueIndex, "PowerReadDCValueIndex", DWORD,                                     \
      (HKEY, const GUID*, const GUID*, const GUID*, DWORD*))                                                      \
    X(LibraryPowrprof, CallNtPowerInformation, "CallNtPowerInformation", LONG, (POWER_INFORMATION_LEVEL, void*,   \
      ULONG, void*, ULONG))

enum OptionalFunctionIndex {
#define SWAYPIX_OPTIONAL_INDEX(library, accessor, exported, result, parameters) OptionalIndex_##accessor,
    SWAYPIX_OPTIONAL_FUNCTIONS(SWAYPIX_OPTIONAL_INDEX)
#undef SWAYPIX_OPTIONAL_INDEX
    OptionalFunctionCount
};

// The function's address, looked up (and its library loaded) on the first
// call; null where the library or the function is missing.
void* OptionalFunctionAddress(OptionalFunctionIndex index);

// OptionalGetProductInfo() and so on: the typed pointer or null.
#define SWAYPIX_OPTIONAL_ACCESSOR(library, accessor, exported, result, parameters)              \
    typedef result(WINAPI* accessor##Function) parameters;                                      \
    inline accessor##Function Optional##accessor() {                                            \
        return (accessor##Function)OptionalFunctionAddress(OptionalIndex_##accessor);          \
    }
SWAYPIX_OPTIONAL_FUNCTIONS(SWAYPIX_OPTIONAL_ACCESSOR)
#undef SWAYPIX_OPTIONAL_ACCESSOR

// Frees the libraries only the report loads; their functions are looked
// up afresh the next time.
void ReleaseReportLibraries();
