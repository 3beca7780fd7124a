// Running one report section on its own, and reading its lines back.
#pragma once
#include <string>

#include "envreport/report_driver.h"

// The section's text as the report would hold it, in the given language;
// with a fresh context unless one is given.
std::string SectionText(ReportSection section, bool japanese = false, ReportContext* context = NULL);

// What follows `label` up to the end of its line, or "<no LABEL>" when no
// line starts with it. The label is matched right after a line break.
std::string LineAfter(const std::string& text, const std::string& label);

// True when the report closes with the raw CPUID block (either language):
// its heading after the last blank line, CPU 0's leaf 0 first, a register
// line and the final line break last.
bool EndsWithRawCpuidBlock(const std::string& report);
