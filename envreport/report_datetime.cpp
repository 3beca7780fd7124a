#include "envreport/report_datetime.h"

#include "envreport/report_language.h"

static const char* const JapaneseWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
static const char* const EnglishWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
static const char* const EnglishMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};

// Every field is a WORD, so each number takes at most five digits and the
// longest text (about 45 bytes) fits the 64-byte result.
void FormatReportDateTime(const SYSTEMTIME& time, char (&out)[ReportDateTimeSize]) {
    bool weekdayKnown = time.wDayOfWeek < 7;
    if (ReportLanguage) {
        wsprintfA(out, "%4d/%2d/%2d(%s) %2d:%02d:%02d", time.wYear, time.wMonth, time.wDay,
                  weekdayKnown ? JapaneseWeekdays[time.wDayOfWeek] : "?", time.wHour, time.wMinute,
                  time.wSecond);
        return;
    }
    bool monthKnown = time.wMonth >= 1 && time.wMonth <= 12;
    wsprintfA(out, "%s, %s %d, %d %2d:%02d:%02d", weekdayKnown ? EnglishWeekdays[time.wDayOfWeek] : "?",
              monthKnown ? EnglishMonths[time.wMonth - 1] : "?", time.wDay, time.wYear, time.wHour,
              time.wMinute, time.wSecond);
}
