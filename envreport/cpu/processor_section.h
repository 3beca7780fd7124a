// The report's first section: the processor's name and count and, with
// CPUID, its signature, vendor, clock, caches and feature flags.
#pragma once
#include "envreport/report_buffer.h"

void WriteProcessorSection(ReportBuffer& report);
