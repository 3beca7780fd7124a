// The power manager's lines: power source, the active plan with its sleep
// and display timeouts, and the sleep states the machine has.
#pragma once
#include "envreport/report_buffer.h"

void AppendPowerLines(ReportBuffer& report);
