// The network adapter section: a block of lines for every adapter the IP
// helper reports, with addresses, DHCP lease times and WINS servers.
#pragma once
#include <windows.h>
#include <iphlpapi.h>

#include <cstdint>

#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteNetworkAdapterSection(ReportBuffer& report, ReportContext& context);

// Seconds since 1970 (signed) as a FILETIME, in 100 ns since 1601.
void SecondsToFileTime(int32_t seconds, FILETIME* fileTime);
