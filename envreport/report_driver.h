// BuildEnvironmentReport: the whole environment report in one call.
#pragma once
#include <windows.h>

#include <cstddef>

#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

// Japanese when the low 28 bits of the selector are zero, else English;
// `clientLine` is the caller's product line for the Client line. Returns a
// GMEM_MOVEABLE block holding the NUL-terminated text, which the caller
// frees, or NULL when no block could be had.
HGLOBAL BuildEnvironmentReport(DWORD selector, const char* clientLine);

// A section writes its own header and lines.
typedef void (*ReportSection)(ReportBuffer& report, ReportContext& context);

// The sections in report order. Tests substitute their own list to drive
// the failure paths; the program never changes it.
struct ReportSectionList {
    const ReportSection* sections;
    size_t count;
};
extern ReportSectionList ReportSections;
