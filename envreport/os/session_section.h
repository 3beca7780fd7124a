// The memory, screen and session lines that close the operating-system
// block: memory, screens, keyboard, names, uptime, remote session, mouse,
// network and user account control.
#pragma once
#include <windows.h>

#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteSessionSection(ReportBuffer& report, ReportContext& context);
