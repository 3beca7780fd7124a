// The screen saver as it takes effect (a policy before the user's own
// settings) and the machine's inactivity lock.
#pragma once
#include "envreport/report_buffer.h"

void AppendScreenSaverLine(ReportBuffer& report);
void AppendInactivityLockLine(ReportBuffer& report);
