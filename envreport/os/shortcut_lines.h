// The program's own shortcuts on the desktop and in the Startup folder,
// with the settings they start it with and whether they still point at a
// file. Reading a link needs COM on the calling thread; without it the
// names stand alone.
#pragma once
#include "envreport/report_buffer.h"

void AppendShortcutLines(ReportBuffer& report);
