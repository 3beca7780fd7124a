// Running one report section on its own into a fresh report buffer.
#pragma once
#include <string>

#include "envreport/report_driver.h"

// The text the section writes in the given language.
std::string SectionText(ReportSection section, bool japanese);
