#include "envreport/report_failure.h"

ReportFailure ReportFailed = ReportNotFailed;

void FailReport(ReportFailure failure) {
    if (ReportFailed == ReportNotFailed) ReportFailed = failure;
}
