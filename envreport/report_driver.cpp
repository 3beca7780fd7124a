#include "envreport/report_driver.h"

#include <cstring>

#include "common/optional_functions.h"
#include "envreport/cpu/cpuid_raw_section.h"
#include "envreport/cpu/processor_section.h"
#include "envreport/devices/display_adapter_section.h"
#include "envreport/devices/drive_section.h"
#include "envreport/devices/network_adapter_section.h"
#include "envreport/os/os_section.h"
#include "envreport/os/power_section.h"
#include "envreport/os/session_section.h"
#include "envreport/other_info_section.h"
#include "envreport/report_failure.h"
#include "envreport/report_language.h"

static const ReportSection ProgramSections[] = {
    WriteProcessorSection,
    WriteOperatingSystemSection,
    WriteSessionSection,
    WritePowerSection,
    WriteDriveSection,
    WriteDisplayAdapterSection,
    WriteNetworkAdapterSection,
    WriteOtherInfoSection,
    WriteCpuidRawSection,
};

ReportSectionList ReportSections = {ProgramSections, sizeof ProgramSections / sizeof ProgramSections[0]};

static void WriteBanner(ReportBuffer& report) {
    report.Append("VORLEX.LIB ver.");
    report.AppendFormat("%d.%02d.%02d [%s]", 5, 24, 5, "Jun  6 2012");
    report.Append("(ANSI)");
}

// A failed Init leaves the buffer empty and every append a no-op. A
// section that records a failure ends the run: out of memory replaces the
// text by its message, any other failure adds its message to what was
// written before it.
static void WriteReport(ReportBuffer& report, ReportContext& context) {
    ReportFailed = ReportNotFailed;
    report.Init();
    WriteBanner(report);
    GetSystemInfo(&context.system);
    for (size_t i = 0; i < ReportSections.count && !ReportFailed; ++i) ReportSections.sections[i](report, context);
    ReportFailure failure = ReportFailed;
    ReportFailed = ReportNotFailed;
    if (failure == ReportOutOfMemory)
        report.Assign(Pick("メモリ不足により処理を中断しました。", "Out of memory."));
    else if (failure)
        report.Append(Pick("メモリ不足以外のエラーが発生したため、処理を中断しました。", "[error]"));
    else
        report.Append("\r\n");
}

// The text, or an empty one after a failed Init, in a movable block.
static HGLOBAL HandOver(const ReportBuffer& report) {
    const char* text = report.text ? report.text : "";
    size_t size = (size_t)report.length + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return NULL;
    char* locked = (char*)GlobalLock(block);
    if (!locked) {
        GlobalFree(block);
        return NULL;
    }
    memcpy(locked, text, size - 1);
    locked[size - 1] = '\0';
    GlobalUnlock(block);
    return block;
}

HGLOBAL BuildEnvironmentReport(DWORD selector, const char* clientLine) {
    ReportLanguage = (selector & 0x0FFFFFFF) == 0;
    ReportBuffer report = {};
    ReportContext context = {};
    context.clientLine = clientLine;
    WriteReport(report, context);
    ReleaseReportLibraries();
    HGLOBAL block = HandOver(report);
    report.Free();
    return block;
}
