// The adapter list of the network section. It is read only through
// `Adapters`, so recorded records can stand in for the machine's adapters.
#pragma once
#include <windows.h>
#include <iphlpapi.h>

struct AdapterAccess {
    // GetAdaptersInfo of iphlpapi.dll, which the resident program does not
    // import; ERROR_NOT_SUPPORTED where the library or call is missing.
    DWORD(WINAPI* getAdaptersInfo)(PIP_ADAPTER_INFO adapters, PULONG size);
};

extern AdapterAccess Adapters;
extern const AdapterAccess LiveAdapters;
