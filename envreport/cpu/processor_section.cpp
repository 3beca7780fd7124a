#include "envreport/cpu/processor_section.h"

#include <windows.h>

#include "envreport/cpu/cache_sections.h"
#include "envreport/cpu/core_types.h"
#include "envreport/cpu/cpu_clock.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/feature_flags.h"
#include "envreport/cpu/processor_names.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

static const char* MipsName(WORD level) {
    return level == 4 ? "MIPS R4000" : Pick("MIPSアーキテクチャ", "MIPS Architecture");
}

static const char* AlphaName(WORD level) {
    switch (level) {
    case 21064: return "Alpha 21064";
    case 21066: return "Alpha 21066";
    case 21164: return "Alpha 21164";
    }
    return Pick("Alphaアーキテクチャ", "Alpha Architecture");
}

static const char* PowerPcName(WORD level) {
    switch (level) {
    case 1: return "PPC 601";
    case 3: return "PPC 603";
    case 4: return "PPC 604";
    case 6: return "PPC 603+";
    case 9: return "PPC 604+";
    case 20: return "PPC 620";
    }
    return Pick("PPCアーキテクチャ", "PPC Architecture");
}

// Leading blanks of a brand string are padding; trailing ones stay.
static const char* SkipLeadingBlanks(const char* text) {
    while (*text == ' ') ++text;
    return text;
}

static const char* NameWithoutCpuid(const SYSTEM_INFO& system) {
    if (IsCyrixByDivideTest()) return "Cx4x86/5x86";
    switch (system.dwProcessorType) {
    case 386: return "Intel 80386";
    case 486: return "Intel 80486";
    case 586: return "Intel Pentium";
    }
    return "?";
}

static const char* X86Name(const SYSTEM_INFO& system) {
    if (ProbeCpuid() == 0) return NameWithoutCpuid(system);
    ClassifyVendor();
    if (CpuidInfo.maxExtendedLeaf >= 0x80000004) {
        ProcessorNameFromSignature(ReportLanguage);  // for the brand index only
        ReadBrandString();
        return SkipLeadingBlanks(CpuidInfo.brandString);
    }
    return ProcessorNameFromSignature(ReportLanguage);
}

static const char* ArchitectureName(const SYSTEM_INFO& system) {
    switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_INTEL:
    case PROCESSOR_ARCHITECTURE_AMD64: return X86Name(system);
    case PROCESSOR_ARCHITECTURE_MIPS: return MipsName(system.wProcessorLevel);
    case PROCESSOR_ARCHITECTURE_ALPHA: return AlphaName(system.wProcessorLevel);
    case PROCESSOR_ARCHITECTURE_PPC: return PowerPcName(system.wProcessorLevel);
    case PROCESSOR_ARCHITECTURE_SHX: return Pick("SHXアーキテクチャ", "SHX Architecture");
    case PROCESSOR_ARCHITECTURE_ARM: return Pick("ARMアーキテクチャ", "ARM Architecture");
    case PROCESSOR_ARCHITECTURE_IA64: return Pick("IA64アーキテクチャ", "IA64 Architecture");
    case PROCESSOR_ARCHITECTURE_ALPHA64: return Pick("Alpha64アーキテクチャ", "Alpha64 Architecture");
    case PROCESSOR_ARCHITECTURE_MSIL: return Pick("MSILアーキテクチャ", "MSIL Architecture");
    case PROCESSOR_ARCHITECTURE_IA32_ON_WIN64: return Pick("IA32 on Win64アーキテクチャ", "IA32 on Win64 Architecture");
    }
    return Pick("不明なアーキテクチャ", "Unknown Architecture");
}

// Always 32 marks, bit 0 first.
static void WriteProcessorCount(ReportBuffer& report, const SYSTEM_INFO& system) {
    if (system.dwNumberOfProcessors <= 1) return;
    report.Append(Pick("\r\nプロセッサ数  :", "\r\nNumber of CPU:"));
    report.Append(FormatUnsigned(system.dwNumberOfProcessors));
    char marks[36] = " [";
    for (int bit = 0; bit < 32; ++bit) marks[2 + bit] = (system.dwActiveProcessorMask >> bit) & 1 ? 'o' : 'x';
    marks[34] = ']';
    marks[35] = '\0';
    report.Append(marks);
}

static void AppendSignature(ReportBuffer& report, unsigned family, unsigned model) {
    uint32_t s = CpuidInfo.signature;
    report.AppendFormat("ProcessorType %X Family %X Model %X Stepping %X", SignatureType(s), family, model,
                        SignatureStepping(s));
}

static void WriteSignatureLines(ReportBuffer& report) {
    uint32_t s = CpuidInfo.signature;
    unsigned family = SignatureFamily(s);
    report.Append("\r\nCPUID         :");
    AppendSignature(report, family, SignatureModel(s));
    bool extended = (family == 15 && (SignatureExtendedFamily(s) != 0 || SignatureExtendedModel(s) != 0)) ||
                    (family == 6 && SignatureExtendedModel(s) != 0);
    if (!extended) return;
    report.Append("\r\nExt.CPUID     :");
    AppendSignature(report, family + SignatureExtendedFamily(s), SignatureModel(s) + SignatureExtendedModel(s) * 16);
}

static void WriteBrandIndexLine(ReportBuffer& report) {
    if (CpuidInfo.brandIndex == 0) return;
    report.Append(Pick("\r\nブランドID    :", "\r\nBrand ID      :"));
    report.AppendFormat("%02xh (", CpuidInfo.brandIndex);
    const char* name = BrandIndexName(CpuidInfo.signature);
    report.Append(name[0] ? name : "Unknown");
    report.Append(")");
}

static void WriteVendorLine(ReportBuffer& report) {
    // "Vender" is spelt so on purpose: saved reports and their readers use it.
    report.Append(Pick("\r\nベンダID      :", "\r\nVender ID     :"));
    report.AppendFormat("\"%s\" (%s)", CpuidInfo.vendorId, CpuidInfo.vendorName);
}

static void WriteFunctionRanges(ReportBuffer& report) {
    report.AppendFormat(Pick("\r\n標準CPUID関数 :%08xh - %08xh", "\r\nStd.Functions :%08xh - %08xh"), 0,
                        CpuidInfo.maxStandardLeaf);
    if (CpuidInfo.maxExtendedLeaf >= 0x80000000)
        report.AppendFormat(Pick("\r\n拡張CPUID関数 :%08xh - %08xh", "\r\nExt.Functions :%08xh - %08xh"),
                            0x80000000, CpuidInfo.maxExtendedLeaf);
    if ((CpuidInfo.featureEdx >> 28) & 1)
        report.AppendFormat(Pick("\r\n最大論理プロセッサ数:%u", "\r\nMax Logical Processors:%u"),
                            (CpuidInfo.leaf1Ebx >> 16) & 0xFF);
}

void WriteProcessorSection(ReportBuffer& report, ReportContext& context) {
    const SYSTEM_INFO& system = context.system;
    CpuidInfo.signature = 0;
    report.Append(Pick("\r\n\r\n[プロセッサ]\r\nプロセッサ    :", "\r\n\r\n[Processor]\r\nProcessor     :"));
    report.Append(ArchitectureName(system));
    WriteProcessorCount(report, system);
    if (CpuidInfo.signature == 0) return;
    WriteSignatureLines(report);
    WriteBrandIndexLine(report);
    WriteVendorLine(report);
    WriteClockLines(report);
    WriteFunctionRanges(report);
    CollectCoreTypes(&context.coreTypes);
    WriteLogicalProcessorLines(report, context.coreTypes);
    WriteCacheSections(report, context.coreTypes);
    WriteFeatureFlagTables(report);
}
