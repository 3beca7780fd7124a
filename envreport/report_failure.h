// How a report run is cut short. A section that cannot go on records why;
// from then on the report takes no more text, so it holds what was written
// before the failure, and the driver ends the run with the failure's
// message instead of the remaining sections.
#pragma once

enum ReportFailure {
    ReportNotFailed = 0,
    ReportOutOfMemory,  // the text is replaced by the message
    ReportFailedOtherwise,  // the message is appended
};

extern ReportFailure ReportFailed;

// The first failure of a run is the one reported.
void FailReport(ReportFailure failure);
