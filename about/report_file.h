// The temporary file the environment report is shown from.
#pragma once
#include <windows.h>

#include "common/paths.h"

// The temporary folder and "VORLEXLIB_TEMP.TXT", always absolute.
extern wchar_t ReportTempPath[PathBufferSize];

// Sets ReportTempPath. Without a usable temporary folder the file lies in
// the current directory, taken now, so later directory changes do not
// move it.
void ChooseReportTempPath();

// Deletes the old report, then writes the header and the text of `report`
// (freeing the block). False, and no file of ours left behind, when there
// is no block or the file cannot be written in full: an old file that
// cannot be replaced (read-only, held open by an editor) must never be
// shown as the new report.
bool WriteReportFile(const char* header, HGLOBAL report);
