// The memory, screen and session lines that close the operating-system
// block: memory, screens, keyboard, names, uptime, remote session, mouse,
// network and user account control.
#pragma once
#include <windows.h>

#include "envreport/report_buffer.h"

void WriteSessionSection(ReportBuffer& report);

// GetTickCount, unless a test needs a particular uptime.
extern DWORD(WINAPI* ReadTickCount)();
