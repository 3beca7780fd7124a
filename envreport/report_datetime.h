// The report's date-time text, used by the lease lines and the date line.
#pragma once
#include <windows.h>

const int ReportDateTimeSize = 64;

// "2026/12/ 8(火) 12:05:09" or "Tuesday, December 8, 2026 12:05:09",
// by the report's language. Out-of-range weekday or month fields give "?"
// rather than reading past the name tables.
void FormatReportDateTime(const SYSTEMTIME& time, char (&out)[ReportDateTimeSize]);
