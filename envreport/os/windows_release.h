// Which feature release of Windows 10 and later runs, and its update:
// the version record alone tells neither.
#pragma once
#include "envreport/os/windows_version.h"
#include "envreport/report_buffer.h"

// " Release      :23H2, build 22631.2861" on NT 10.0 and later; nothing
// before. The release name and the update revision are left out where
// the registry has none.
void AppendReleaseLine(ReportBuffer& report, const BasicVersion& version);
