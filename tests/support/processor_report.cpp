#include "tests/support/processor_report.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "common/ansi_text.h"
#include "envreport/cpu/cpu_clock.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/processor_section.h"
#include "envreport/report_driver.h"
#include "tests/support/report_section.h"
#include "tests/support/test_files.h"

std::string ProcessorSectionText(bool japanese, ReportContext* context) {
    ScopedSwap<bool> noClock(ReportMeasuresClock, false);
    return SectionText(WriteProcessorSection, japanese, context);
}

static const SyntheticProcessor* Synthetic;

static bool SyntheticIdFlag() {
    return Synthetic->hasCpuid;
}

static void SyntheticCpuid(uint32_t leaf, CpuidRegisters* out) {
    auto found = Synthetic->leaves.find(leaf);
    *out = found == Synthetic->leaves.end() ? CpuidRegisters() : found->second;
}

// One processor.
static void SyntheticCpuidOn(unsigned cpu, uint32_t leaf, uint32_t subleaf, CpuidRegisters* out) {
    *out = CpuidRegisters();
    if (cpu != 0) return;
    if (subleaf == 0) {
        SyntheticCpuid(leaf, out);
        return;
    }
    auto found = Synthetic->subleaves.find({leaf, subleaf});
    if (found != Synthetic->subleaves.end()) *out = found->second;
}

static unsigned OneProcessor() {
    return 1;
}

static unsigned SyntheticMachineProcessors(unsigned* cores, unsigned* packages) {
    *cores = Synthetic->cores;
    *packages = Synthetic->packages;
    return Synthetic->processors;
}

static bool SyntheticDivide() {
    return Synthetic->cyrixDivide;
}

static const ProcessorAccess SyntheticAccess = {SyntheticIdFlag, SyntheticCpuid,   SyntheticDivide,
                                                LiveProcessor.readTimeStampCounter, SyntheticCpuidOn,
                                                OneProcessor,    SyntheticMachineProcessors};

ProcessorSwap::ProcessorSwap() : access(Processor), info(CpuidInfo, CpuidInfoRecord()) {}

ProcessorSwap::ProcessorSwap(const SyntheticProcessor* synthetic)
    : access(Processor, SyntheticAccess), info(CpuidInfo, CpuidInfoRecord()) {
    Synthetic = synthetic;
}

std::string Utf8FromCodePage932(const std::string& text) {
    char* utf8 = Utf8Text(ProgramTextCodePage, text.c_str());
    std::string converted = utf8 ? utf8 : "";
    free(utf8);
    return converted;
}

std::vector<std::string> DumpNames() {
    return MatchingFileNames(TestDataPath("cpuid"), "*.raw");
}

std::vector<std::string> RecordedDumps() {
    std::vector<std::string> dumps;
    for (const std::string& name : DumpNames()) dumps.push_back("cpuid\\" + name);
    for (const std::string& name : MatchingFileNames(TestDataPath("cpuid-published"), "*.txt"))
        dumps.push_back("cpuid-published\\" + name);
    return dumps;
}

static std::string FlagNumber(const char* format, int bit) {
    char text[16];
    snprintf(text, sizeof text, format, bit);
    return text;
}

// The 32 lines after a flag table's header, each checked for layout and
// for the two bit values.
void CheckFlagTable(const std::string& report, const std::string& header, uint32_t left, uint32_t right,
                    const std::string& name) {
    size_t at = report.find(header);
    ASSERT_NE(std::string::npos, at) << name << ": " << header;
    at += header.size();
    for (int bit = 0; bit < 32; ++bit) {
        ASSERT_EQ(0u, report.compare(at, 2, "\r\n")) << name << " bit " << bit;
        std::string line = report.substr(at + 2, 76);
        EXPECT_EQ(FlagNumber("%2d-", bit), line.substr(0, 3)) << name;
        EXPECT_EQ(':', line[35]) << name << " bit " << bit << ": " << line;
        EXPECT_EQ((char)('0' + ((left >> bit) & 1)), line[36]) << name << " bit " << bit;
        EXPECT_EQ(FlagNumber("  %2d-", bit), line.substr(37, 5)) << name;
        EXPECT_EQ(':', line[74]) << name << " bit " << bit << ": " << line;
        EXPECT_EQ((char)('0' + ((right >> bit) & 1)), line[75]) << name << " bit " << bit;
        at += 2 + 76;
    }
}
