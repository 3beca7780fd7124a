// The Windows name and edition suffix of the operating-system line:
// "98 Second Edition", "XP" + " Professional", "7" + " Ultimate".
#pragma once
#include "envreport/os/windows_version.h"
#include "envreport/report_buffer.h"

// Appends the name, then the suffix (nothing when there is none).
void AppendWindowsName(ReportBuffer& report, const BasicVersion& version);
