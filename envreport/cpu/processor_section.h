// The report's first section: the processor's name and count and, with
// CPUID, its signature, vendor, clock, logical processors and core types,
// caches and feature flags.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

// Also fills the context's core types.
void WriteProcessorSection(ReportBuffer& report, ReportContext& context);
