// The display adapter section: one line for every display device Windows
// enumerates, active or not.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteDisplayAdapterSection(ReportBuffer& report, ReportContext& context);
