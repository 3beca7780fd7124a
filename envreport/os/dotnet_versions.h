// The .NET Framework line of the operating-system block: every installed
// version with its service pack and Japanese language pack.
#pragma once
#include "envreport/report_buffer.h"

void AppendDotNetFrameworkVersions(ReportBuffer& report);
