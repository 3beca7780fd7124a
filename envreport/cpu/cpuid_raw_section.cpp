#include "envreport/cpu/cpuid_raw_section.h"

#include <windows.h>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/report_language.h"

// A bound for leaves whose sub-leaves run until a terminating one, and
// for a range whose top leaf is garbage.
static const uint32_t MaxSubleaves = 64;
static const uint32_t MaxLeavesPerRange = 256;

static void AppendRawLine(ReportBuffer& report, uint32_t leaf, uint32_t subleaf, const CpuidRegisters& r) {
    report.AppendFormat("\r\n   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x", leaf, subleaf, r.eax,
                        r.ebx, r.ecx, r.edx);
}

static CpuidRegisters AppendSubleaf(ReportBuffer& report, unsigned cpu, uint32_t leaf, uint32_t subleaf) {
    CpuidRegisters r;
    Processor.cpuidOn(cpu, leaf, subleaf, &r);
    AppendRawLine(report, leaf, subleaf, r);
    return r;
}

// Cache leaves end at cache type 0, topology leaves at level type 0; the
// terminating sub-leaf is written too.
static bool IsLastSubleaf(uint32_t leaf, const CpuidRegisters& r) {
    if (leaf == 4 || leaf == 0x8000001D) return (r.eax & 0x1F) == 0;
    return ((r.ecx >> 8) & 0xFF) == 0;
}

// Sub-leaves 0 and 1, then one per state component set in the XCR0 and
// IA32_XSS masks those two report.
static void AppendStateComponents(ReportBuffer& report, unsigned cpu) {
    CpuidRegisters user = AppendSubleaf(report, cpu, 0xD, 0);
    CpuidRegisters supervisor = AppendSubleaf(report, cpu, 0xD, 1);
    uint32_t low = user.eax | supervisor.ecx;
    uint32_t high = user.edx | supervisor.edx;
    for (uint32_t bit = 2; bit < MaxSubleaves; ++bit)
        if (((bit < 32 ? low >> bit : high >> (bit - 32)) & 1)) AppendSubleaf(report, cpu, 0xD, bit);
}

static void AppendLeaf(ReportBuffer& report, unsigned cpu, uint32_t leaf) {
    switch (leaf) {
    case 4:
    case 0xB:
    case 0x1F:
    case 0x8000001D:
        for (uint32_t subleaf = 0; subleaf < MaxSubleaves; ++subleaf)
            if (IsLastSubleaf(leaf, AppendSubleaf(report, cpu, leaf, subleaf))) return;
        return;
    case 7: {
        uint32_t last = AppendSubleaf(report, cpu, 7, 0).eax;
        for (uint32_t subleaf = 1; subleaf <= last && subleaf < MaxSubleaves; ++subleaf)
            AppendSubleaf(report, cpu, 7, subleaf);
        return;
    }
    case 0xD: AppendStateComponents(report, cpu); return;
    }
    AppendSubleaf(report, cpu, leaf, 0);
}

static void AppendLeafRange(ReportBuffer& report, unsigned cpu, uint32_t first) {
    CpuidRegisters top;
    Processor.cpuidOn(cpu, first, 0, &top);
    // Without extended leaves the answer to 80000000h need not be one.
    if (first != 0 && (top.eax >> 16) != 0x8000) return;
    for (uint32_t leaf = first; leaf <= top.eax && leaf - first < MaxLeavesPerRange; ++leaf)
        AppendLeaf(report, cpu, leaf);
}

void WriteCpuidRawSection(ReportBuffer& report, ReportContext& context) {
    if (CpuidInfo.signature == 0) return;
    report.Append(Pick("\r\n\r\n[CPUID生データ]", "\r\n\r\n[CPUID Raw Data]"));
    const CoreTypeList& types = context.coreTypes;
    for (unsigned i = 0; i < types.count; ++i) {
        unsigned cpu = types.types[i].firstCpu;
        report.AppendFormat("\r\nCPU %u:", cpu);
        AppendLeafRange(report, cpu, 0);
        AppendLeafRange(report, cpu, 0x80000000);
    }
}
