#include "envreport/cpu/feature_flags.h"

#include <windows.h>

#include <cstdint>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/feature_flag_names.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

static const char* FlagName(const LocalText* names, int bit) {
    if (!names) return Pick("不明", "Unknown");
    return Pick(names[bit]);
}

static void AppendNamedFlagLines(ReportBuffer& report, const char* const* leftNames, uint32_t left,
                                 const char* const* rightNames, uint32_t right) {
    for (int bit = 0; bit < 32; ++bit) {
        char leftName[40];
        char rightName[40];
        PadRight(32, leftNames[bit], leftName, sizeof leftName);
        PadRight(32, rightNames[bit], rightName, sizeof rightName);
        report.AppendFormat("\r\n%2d-%s:%u  %2d-%s:%u", bit, leftName, (left >> bit) & 1, bit, rightName,
                            (right >> bit) & 1);
    }
}

// 32 lines "\r\n%2d-%s:%u  %2d-%s:%u"; a null name table reads "Unknown".
static void AppendFlagLines(ReportBuffer& report, const LocalText* leftNames, uint32_t left,
                            const LocalText* rightNames, uint32_t right) {
    const char* leftText[32];
    const char* rightText[32];
    for (int bit = 0; bit < 32; ++bit) {
        leftText[bit] = FlagName(leftNames, bit);
        rightText[bit] = FlagName(rightNames, bit);
    }
    AppendNamedFlagLines(report, leftText, left, rightText, right);
}

// "[CPUID Leaf 7 EBX Feature Flag]", the second heading at byte 39 as in
// the classic headings.
static void AppendLeaf7Heading(ReportBuffer& report, const char* left, const char* right) {
    const char* flag = Pick("機能フラグ]", "Feature Flag]");
    char heading[64];
    char padded[64];
    wsprintfA(heading, "[CPUID Leaf %s %s", left, flag);
    PadRight(39, heading, padded, sizeof padded);
    report.AppendFormat("\r\n\r\n%s[CPUID Leaf %s %s", padded, right, flag);
}

// Read on the first logical processor, as the classic tables are.
static void WriteLeaf7FlagTables(ReportBuffer& report) {
    if (CpuidInfo.maxStandardLeaf < 7) return;
    CpuidRegisters subleaf0;
    CpuidRegisters subleaf1 = {};
    Processor.cpuidOn(0, 7, 0, &subleaf0);
    if (subleaf0.eax >= 1) Processor.cpuidOn(0, 7, 1, &subleaf1);
    AppendLeaf7Heading(report, "7 EBX", "7 ECX");
    AppendNamedFlagLines(report, Leaf7EbxNames, subleaf0.ebx, Leaf7EcxNames, subleaf0.ecx);
    AppendLeaf7Heading(report, "7 EDX", "7.1 EAX");
    AppendNamedFlagLines(report, Leaf7EdxNames, subleaf0.edx, Leaf7Subleaf1EaxNames, subleaf1.eax);
}

struct ExtendedTable {
    LocalText header;
    const LocalText* left;
    const LocalText* right;
};

static ExtendedTable ExtendedTableFor(uint8_t vendor) {
    switch (vendor) {
    case VendorCyrix:
    case VendorCyrixNoBrand:
        return {{"\r\n\r\n[CPUID拡張機能フラグ(Cyrix)]           [CPUID追加拡張機能フラグ]",
                 "\r\n\r\n[CPUID Extend Feature Flag(Cyrix)]     [CPUID Additional Extend Feature Flag]"},
                CyrixExtendedEdxNames, NULL};
    case VendorAmd:
        return {{"\r\n\r\n[CPUID拡張機能フラグ(AMD)]             [CPUID追加拡張機能フラグ(AMD)]",
                 "\r\n\r\n[CPUID Extend Feature Flag(AMD)]       [CPUID Additional Extend Feature Flag(AMD)]"},
                AmdExtendedEdxNames, AmdExtendedEcxNames};
    case VendorIntel:
        return {{"\r\n\r\n[CPUID拡張機能フラグ(Intel)]           [CPUID追加拡張機能フラグ(Intel)]",
                 "\r\n\r\n[CPUID Extend Feature Flag(Intel)]     [CPUID Additional Extend Feature Flag(Intel)]"},
                IntelExtendedEdxNames, IntelExtendedEcxNames};
    }
    return {{"\r\n\r\n[CPUID拡張機能フラグ]                  [CPUID追加拡張機能フラグ]",
             "\r\n\r\n[CPUID Extend Feature Flag]            [CPUID Additional Extend Feature Flag]"},
            NULL, NULL};
}

void WriteFeatureFlagTables(ReportBuffer& report) {
    if (CpuidInfo.vendorCode == VendorAmd) {
        report.Append(Pick("\r\n\r\n[CPUID標準機能フラグ(AMD)]             [CPUID追加機能フラグ(AMD)]",
                           "\r\n\r\n[CPUID Standard Feature Flag(AMD)      [CPUID Additional Feature Flag(AMD)]"));
        AppendFlagLines(report, AmdStandardEdxNames, CpuidInfo.featureEdx, AmdStandardEcxNames, CpuidInfo.featureEcx);
    } else {
        report.Append(Pick("\r\n\r\n[CPUID標準機能フラグ]                  [CPUID追加機能フラグ]",
                           "\r\n\r\n[CPUID Standard Feature Flag]          [CPUID Additional Feature Flag]"));
        AppendFlagLines(report, StandardEdxNames, CpuidInfo.featureEdx, StandardEcxNames, CpuidInfo.featureEcx);
    }
    // The extended table wants at least 0x80000002, not merely 0x80000001.
    if (CpuidInfo.maxExtendedLeaf > 0x80000001) {
        ExtendedTable table = ExtendedTableFor(CpuidInfo.vendorCode);
        report.Append(Pick(table.header));
        AppendFlagLines(report, table.left, CpuidInfo.extFeatureEdx, table.right, CpuidInfo.extFeatureEcx);
    }
    WriteLeaf7FlagTables(report);
}
