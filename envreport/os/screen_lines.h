// The screen, work area, virtual screen and per-monitor lines.
#pragma once
#include "envreport/report_buffer.h"

void AppendScreenLines(ReportBuffer& report);
