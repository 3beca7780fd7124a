#include "tests/support/processor_report.h"

#include <windows.h>

#include "envreport/cpu/cpu_clock.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/processor_section.h"
#include "envreport/report_driver.h"
#include "tests/support/report_section.h"
#include "tests/support/test_files.h"

std::string ProcessorSectionText(bool japanese) {
    ReportMeasuresClock = false;
    std::string text = SectionText(WriteProcessorSection, japanese);
    ReportMeasuresClock = true;
    return text;
}

static const SyntheticProcessor* Synthetic;

static bool SyntheticIdFlag() {
    return Synthetic->hasCpuid;
}

static void SyntheticCpuid(uint32_t leaf, CpuidRegisters* out) {
    auto found = Synthetic->leaves.find(leaf);
    *out = found == Synthetic->leaves.end() ? CpuidRegisters() : found->second;
}

static bool SyntheticDivide() {
    return Synthetic->cyrixDivide;
}

void UseSyntheticProcessor(const SyntheticProcessor* processor) {
    Synthetic = processor;
    Processor.idFlagToggles = SyntheticIdFlag;
    Processor.cpuid = SyntheticCpuid;
    Processor.divideLeavesFlagsClear = SyntheticDivide;
    CpuidInfo = CpuidInfoRecord();
}

void UseLiveProcessor() {
    Processor = LiveProcessor;
    CpuidInfo = CpuidInfoRecord();
}

std::vector<std::string> DumpNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(TestDataPath("cpuid\\*.raw").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
