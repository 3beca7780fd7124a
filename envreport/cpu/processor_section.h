// The report's first section: the processor's name and count and, with
// CPUID, its signature, vendor, clock, logical processors and core types,
// caches and feature flags.
#pragma once
#include "envreport/report_buffer.h"

void WriteProcessorSection(ReportBuffer& report);

// The report's last block: `cpuid -r` lines of logical processor 0 and of
// the first processor of each further core type, for a later replay.
void WriteCpuidRawSection(ReportBuffer& report);
