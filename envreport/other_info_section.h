// The report's last section: client, date and time, offset from UTC.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteOtherInfoSection(ReportBuffer& report, ReportContext& context);

// "+09:00" east of UTC, "-03:30" west of it and "-00:00" at UTC: only a
// negative bias gets the plus sign. Daylight saving is not added.
void FormatUtcOffset(long bias, char (&out)[16]);
