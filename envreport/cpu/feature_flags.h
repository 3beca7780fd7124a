// The two-column tables of CPUID feature flags that end the processor
// section: leaf 1, leaf 0x80000001 when the processor offers it, then
// leaf 7 (sub-leaves 0 and 1).
#pragma once
#include "envreport/report_buffer.h"

void WriteFeatureFlagTables(ReportBuffer& report);
