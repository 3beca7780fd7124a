// The network adapter section: a block of lines for every adapter the IP
// helper reports, with addresses, DHCP lease times and WINS servers.
#pragma once
#include <windows.h>
#include <iphlpapi.h>

#include <cstdint>

#include "envreport/report_buffer.h"

void WriteNetworkAdapterSection(ReportBuffer& report);

// The adapter list is read only through this pointer, so recorded
// records can stand in for the machine's adapters.
typedef DWORD(WINAPI* AdapterInfoFunction)(PIP_ADAPTER_INFO adapters, PULONG size);
extern AdapterInfoFunction ReadAdapterInfo;
// GetAdaptersInfo of iphlpapi.dll, loaded for the call only: the resident
// program does not import the library.
DWORD WINAPI LiveAdapterInfo(PIP_ADAPTER_INFO adapters, PULONG size);

// Seconds since 1970 (signed) as a FILETIME, in 100 ns since 1601.
void SecondsToFileTime(int32_t seconds, FILETIME* fileTime);
