#include "tests/support/section_text.h"

#include "envreport/report_language.h"

std::string SectionText(ReportSection section, bool japanese) {
    ReportLanguage = japanese;
    ReportBuffer report = {};
    report.Init();
    section(report);
    std::string text = report.text ? report.text : "";
    report.Free();
    return text;
}
