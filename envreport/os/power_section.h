// The power and idle block: what decides whether the screen still turns
// off, the session still locks or the machine still sleeps, and how the
// program itself is set up to start.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WritePowerSection(ReportBuffer& report, ReportContext& context);
