// The Internet Explorer line of the operating-system block.
#pragma once
#include "envreport/report_buffer.h"

// "Version" when the browser has one; the oldest releases are told by
// their "Build" and "IVer" values. No line when none of them exists.
void AppendInternetExplorerVersion(ReportBuffer& report);
