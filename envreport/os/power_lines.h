// The power manager's lines: power source, the plan in force with its
// sleep, display and wake settings (a policy's values before the plan's),
// and the sleep states the machine has.
#pragma once
#include "envreport/report_buffer.h"

void AppendPowerLines(ReportBuffer& report);
