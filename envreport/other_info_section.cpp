#include "envreport/other_info_section.h"

#include <windows.h>

#include "envreport/report_datetime.h"
#include "envreport/report_language.h"

void FormatUtcOffset(long bias, char (&out)[16]) {
    // Minutes, so any LONG is within a few digits; unsigned keeps -LONG_MIN defined.
    unsigned long magnitude = bias < 0 ? 0UL - (unsigned long)bias : (unsigned long)bias;
    wsprintfA(out, bias < 0 ? "+%02lu:%02lu" : "-%02lu:%02lu", magnitude / 60, magnitude % 60);
}

void WriteOtherInfoSection(ReportBuffer& report, ReportContext& context) {
    report.Append(Pick("\r\n[その他]", "\r\n[Other Information]"));
    report.Append(Pick("\r\nクライアント  :", "\r\nClient        :"));
    report.Append(context.clientLine);

    // "Time/Data" is spelt so on purpose: reports already sent in use it.
    report.Append(Pick("\r\n日付時刻      :", "\r\nTime/Data     :"));
    SYSTEMTIME now;
    GetLocalTime(&now);
    char dateTime[ReportDateTimeSize];
    FormatReportDateTime(now, dateTime);
    report.Append(dateTime);

    report.Append(Pick("\r\nUTCとの時刻差 :", "\r\nDiff from UTC :"));
    // A failed call leaves the record as zeroed here, which reads -00:00.
    TIME_ZONE_INFORMATION zone = {};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) zone.Bias = 0;
    char offset[16];
    FormatUtcOffset(zone.Bias, offset);
    report.Append(offset);
    report.Append("\r\n");
}
