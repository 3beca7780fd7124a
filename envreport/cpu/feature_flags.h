// The two-column tables of CPUID feature flags that end the processor
// section: leaf 1, leaf 0x80000001 when the processor offers it, then
// leaf 7 (sub-leaves 0 and 1).
#pragma once
#include <cstdint>

#include "envreport/cpu/feature_flag_names.h"
#include "envreport/report_buffer.h"

void WriteFeatureFlagTables(ReportBuffer& report);

// 32 lines "\r\n%2d-%s:%u  %2d-%s:%u"; a null name table reads "Unknown".
void AppendFlagLines(ReportBuffer& report, const LocalText* leftNames, uint32_t left,
                     const LocalText* rightNames, uint32_t right);
