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
#include <tlhelp32.h>

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

// X(library, accessor name, exported name, Declared or Undeclared, result
// type, parameter list). Each type is written out so the table reads on its
// own, and optional_functions.cpp checks it against the toolchain's
// declaration of the exported name. Undeclared are typed by hand: those no
// header declares (DllGetVersion, which each library exports for itself,
// is held against the headers' DLLGETVERSIONPROC instead) or declares only
// for a newer _WIN32_WINNT than the build sets.
#define SWAYPIX_OPTIONAL_FUNCTIONS(X)                                                                                  \
    X(LibraryKernel32, GetProductInfo, GetProductInfo, Declared, BOOL, (DWORD, DWORD, DWORD, DWORD, PDWORD))           \
    X(LibraryKernel32, GetNativeSystemInfo, GetNativeSystemInfo, Declared, void, (LPSYSTEM_INFO))                      \
    X(LibraryKernel32, IsWow64Process, IsWow64Process, Declared, BOOL, (HANDLE, PBOOL))                                \
    X(LibraryKernel32, IsWow64Process2, IsWow64Process2, Declared, BOOL, (HANDLE, USHORT*, USHORT*))                   \
    X(LibraryKernel32, GetActiveProcessorCount, GetActiveProcessorCount, Declared, DWORD, (WORD))                      \
    X(LibraryKernel32, GetLogicalProcessorInformationEx, GetLogicalProcessorInformationEx, Declared, BOOL,             \
      (LOGICAL_PROCESSOR_RELATIONSHIP, PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, DWORD*))                              \
    X(LibraryUser32, GetDpiForWindow, GetDpiForWindow, Declared, UINT, (HWND))                                         \
    X(LibraryUser32, SetDialogControlDpiChangeBehavior, SetDialogControlDpiChangeBehavior, Declared, BOOL,             \
      (HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS))                                \
    X(LibraryUser32, GetLastInputInfo, GetLastInputInfo, Declared, BOOL, (PLASTINPUTINFO))                             \
    X(LibraryUser32, OpenInputDesktop, OpenInputDesktop, Declared, HDESK, (DWORD, BOOL, ACCESS_MASK))                  \
    X(LibraryUser32, GetUserObjectInformationA, GetUserObjectInformationA, Declared, BOOL,                             \
      (HANDLE, int, void*, DWORD, DWORD*))                                                                             \
    X(LibraryUser32, CloseDesktop, CloseDesktop, Declared, BOOL, (HDESK))                                              \
    X(LibraryKernel32, SetThreadExecutionState, SetThreadExecutionState, Declared, EXECUTION_STATE, (EXECUTION_STATE)) \
    X(LibraryKernel32, PowerCreateRequest, PowerCreateRequest, Declared, HANDLE, (PREASON_CONTEXT))                   \
    X(LibraryKernel32, PowerSetRequest, PowerSetRequest, Declared, BOOL, (HANDLE, POWER_REQUEST_TYPE))                 \
    X(LibraryKernel32, PowerClearRequest, PowerClearRequest, Declared, BOOL, (HANDLE, POWER_REQUEST_TYPE))             \
    X(LibraryKernel32, SetDefaultDllDirectories, SetDefaultDllDirectories, Declared, BOOL, (DWORD))                    \
    X(LibraryKernel32, SetDllDirectoryA, SetDllDirectoryA, Declared, BOOL, (const char*))                              \
    X(LibraryKernel32, GetSystemPowerStatus, GetSystemPowerStatus, Declared, BOOL, (LPSYSTEM_POWER_STATUS))            \
    X(LibraryKernel32, CreateToolhelp32Snapshot, CreateToolhelp32Snapshot, Declared, HANDLE, (DWORD, DWORD))           \
    X(LibraryKernel32, Process32FirstW, Process32FirstW, Declared, BOOL, (HANDLE, LPPROCESSENTRY32W))                  \
    X(LibraryKernel32, Process32NextW, Process32NextW, Declared, BOOL, (HANDLE, LPPROCESSENTRY32W))                    \
    X(LibraryOle32, CoInitialize, CoInitialize, Declared, HRESULT, (void*))                                            \
    X(LibraryOle32, CoUninitialize, CoUninitialize, Declared, void, ())                                                \
    X(LibraryOle32, CoCreateInstance, CoCreateInstance, Declared, HRESULT,                                             \
      (REFCLSID, IUnknown*, DWORD, REFIID, void**))                                                                    \
    X(LibraryOle32, CoTaskMemFree, CoTaskMemFree, Declared, void, (void*))                                             \
    X(LibraryShell32, SHGetSpecialFolderLocation, SHGetSpecialFolderLocation, Declared, HRESULT,                       \
      (HWND, int, LPITEMIDLIST*))                                                                                      \
    X(LibraryShell32, SHGetPathFromIDListW, SHGetPathFromIDListW, Declared, BOOL, (LPCITEMIDLIST, wchar_t*))           \
    X(LibraryShell32, ShellExecuteW, ShellExecuteW, Declared, HINSTANCE,                                               \
      (HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int))                                     \
    X(LibraryVersion, GetFileVersionInfoSizeW, GetFileVersionInfoSizeW, Declared, DWORD, (const wchar_t*, DWORD*))     \
    X(LibraryVersion, GetFileVersionInfoW, GetFileVersionInfoW, Declared, BOOL, (const wchar_t*, DWORD, DWORD, void*)) \
    X(LibraryVersion, VerQueryValueW, VerQueryValueW, Declared, BOOL, (const void*, const wchar_t*, void**, UINT*))    \
    X(LibraryWinmm, TimeGetTime, timeGetTime, Declared, DWORD, ())                                                     \
    X(LibraryIphlpapi, GetAdaptersInfo, GetAdaptersInfo, Declared, DWORD, (PIP_ADAPTER_INFO, PULONG))                  \
    X(LibraryComctl32, CommonControlsDllGetVersion, DllGetVersion, Undeclared, HRESULT, (DLLVERSIONINFO*))             \
    X(LibraryPowrprof, PowerGetActiveScheme, PowerGetActiveScheme, Declared, DWORD, (HKEY, GUID**))                    \
    X(LibraryPowrprof, PowerReadFriendlyName, PowerReadFriendlyName, Declared, DWORD,                                  \
      (HKEY, const GUID*, const GUID*, const GUID*, UCHAR*, DWORD*))                                                   \
    X(LibraryPowrprof, PowerReadACValueIndex, PowerReadACValueIndex, Declared, DWORD,                                  \
      (HKEY, const GUID*, const GUID*, const GUID*, DWORD*))                                                           \
    X(LibraryPowrprof, PowerReadDCValueIndex, PowerReadDCValueIndex, Declared, DWORD,                                  \
      (HKEY, const GUID*, const GUID*, const GUID*, DWORD*))                                                           \
    X(LibraryPowrprof, CallNtPowerInformation, CallNtPowerInformation, Declared, LONG,                                 \
      (POWER_INFORMATION_LEVEL, void*, ULONG, void*, ULONG))

enum OptionalFunctionIndex {
#define SWAYPIX_OPTIONAL_INDEX(library, accessor, exported, declared, result, parameters) OptionalIndex_##accessor,
    SWAYPIX_OPTIONAL_FUNCTIONS(SWAYPIX_OPTIONAL_INDEX)
#undef SWAYPIX_OPTIONAL_INDEX
    OptionalFunctionCount
};

// The function's address, looked up (and its library loaded) on the first
// call; null where the library or the function is missing.
void* OptionalFunctionAddress(OptionalFunctionIndex index);

// OptionalGetProductInfo() and so on: the typed pointer or null.
#define SWAYPIX_OPTIONAL_ACCESSOR(library, accessor, exported, declared, result, parameters) \
    typedef result(WINAPI* accessor##Function) parameters;                                   \
    inline accessor##Function Optional##accessor() {                                         \
        return (accessor##Function)OptionalFunctionAddress(OptionalIndex_##accessor);       \
    }
SWAYPIX_OPTIONAL_FUNCTIONS(SWAYPIX_OPTIONAL_ACCESSOR)
#undef SWAYPIX_OPTIONAL_ACCESSOR

// Frees the libraries only the report loads; their functions are looked
// up afresh the next time.
void ReleaseReportLibraries();
