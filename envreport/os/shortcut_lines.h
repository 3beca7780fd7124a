// The program's own shortcuts on the desktop and in the Startup folders of
// the user and of all users, with the settings they start it with, whether
// they still point at a file, and a mark on a link or a folder that cannot
// be read. Reading a link needs COM on the calling thread; without it the
// names stand alone.
#pragma once
#include "envreport/report_buffer.h"

void AppendShortcutLines(ReportBuffer& report);
