#include "tests/support/report_section.h"

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

std::string LineAfter(const std::string& text, const std::string& label) {
    size_t start = text.find("\r\n" + label);
    if (start == std::string::npos) return "<no " + label + ">";
    start += 2 + label.size();
    return text.substr(start, text.find("\r\n", start) - start);
}
