// The report's last block: `cpuid -r` lines of logical processor 0 and of
// the first processor of each further core type, for a later replay.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteCpuidRawSection(ReportBuffer& report, ReportContext& context);
