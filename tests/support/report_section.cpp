#include "tests/support/report_section.h"

#include "envreport/report_language.h"
#include "tests/support/scoped_swap.h"

std::string SectionText(ReportSection section, bool japanese, ReportContext* context) {
    ScopedSwap<bool> language(ReportLanguage, japanese);
    ReportContext fresh = {};
    if (!context) context = &fresh;
    ReportBuffer report = {};
    report.Init();
    section(report, *context);
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

bool EndsWithRawCpuidBlock(const std::string& report) {
    size_t blank = report.rfind("\r\n\r\n");
    if (blank == std::string::npos || report.size() < 12) return false;
    std::string block = report.substr(blank + 4);
    size_t heading = block.find("]\r\nCPU 0:\r\n   0x00000000 0x00: eax=0x");
    bool named = block.compare(0, heading, "[CPUID Raw Data") == 0 ||
                 block.compare(0, heading, "[CPUID生データ") == 0;
    size_t lastLine = report.rfind("\r\n", report.size() - 3);
    return heading != std::string::npos && named && report.compare(lastLine, 7, "\r\n   0x") == 0 &&
           report.compare(report.size() - 2, 2, "\r\n") == 0;
}
