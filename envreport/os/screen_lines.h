// The screen, work area, virtual screen and per-monitor lines.
#pragma once
#include <windows.h>

#include "envreport/report_buffer.h"

void AppendScreenLines(ReportBuffer& report);

// EnumDisplayMonitors callback; `data` is the ReportBuffer. Always goes on
// to the next monitor.
BOOL CALLBACK MonitorLineProc(HMONITOR monitor, HDC dc, LPRECT clip, LPARAM data);
