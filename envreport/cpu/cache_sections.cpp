#include "envreport/cpu/cache_sections.h"

#include <windows.h>

#include "envreport/cpu/cache_descriptor_table.h"
#include "envreport/cpu/cache_parameters.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

static const char* const EnglishL2Associativity[16] = {
    "Disabled",    "1way (direct mapped)", "2ways",  "Reserved(3)", "4ways",  "Reserved(5)",
    "8ways",       "Reserved(7)",          "16ways", "Reserved(9)", "32ways", "48ways",
    "64ways",      "96ways",               "128ways", "Fully associative",
};
static const char* const JapaneseL2Associativity[16] = {
    "無効",
    "1way (ダイレクトマップ方式)",
    "セットアソシアティブ方式 2ways",
    "Reserved(3)",
    "セットアソシアティブ方式 4ways",
    "Reserved(5)",
    "セットアソシアティブ方式 8ways",
    "Reserved(7)",
    "セットアソシアティブ方式 16ways",
    "Reserved(9)",
    "セットアソシアティブ方式 32ways",
    "セットアソシアティブ方式 48ways",
    "セットアソシアティブ方式 64ways",
    "セットアソシアティブ方式 96ways",
    "セットアソシアティブ方式 128ways",
    "フルアソシエイティブ方式",
};

// "\r\n" + left padded to 40 bytes + right: the right column starts at
// byte 40, under the block's second heading.
static void AppendTwoColumnLine(ReportBuffer& report, const char* left, const char* right) {
    char padded[128];
    PadRight(40, left, padded, sizeof padded);
    report.AppendFormat("\r\n%s%s", padded, right);
}

static void WriteL2Lines(ReportBuffer& report) {
    uint32_t ecx = RunCpuidLeaf(0x80000006).ecx;
    unsigned associativity = (ecx >> 12) & 0xF;
    report.AppendFormat(Pick("\r\nL2キャッシュラインサイズ:%u バイト", "\r\nL2 Cache Line size      :%u bytes"),
                        ecx & 0xFF);
    report.AppendFormat(Pick("\r\nL2キャッシュ連想度      :%s", "\r\nL2 Associativity field  :%s"),
                        Pick(JapaneseL2Associativity[associativity], EnglishL2Associativity[associativity]));
    report.AppendFormat(Pick("\r\nL2キャッシュサイズ      :%u KB", "\r\nL2 Cache size           :%u KB"), ecx >> 16);
}

static void WriteAddressSizes(ReportBuffer& report) {
    report.Append(Pick("\r\n\r\n[アドレスサイズ情報]", "\r\n\r\n[Linear/Physical Address size]"));
    uint32_t eax = RunCpuidLeaf(0x80000008).eax;
    report.AppendFormat(Pick("\r\n最大物理アドレスビット数:%u", "\r\nPhysical Address Bits   :%u"), eax & 0xFF);
    report.AppendFormat(Pick("\r\n最大仮想アドレスビット数:%u", "\r\nLinear Address Bits     :%u"), (eax >> 8) & 0xFF);
}

static void WriteMemoryCacheBlock(ReportBuffer& report) {
    if (CpuidInfo.maxStandardLeaf < 2) return;
    report.Append(Pick("\r\n\r\n[メモリキャッシュ]", "\r\n\r\n[Memory Cache]"));
    for (const CacheDescriptor& row : CacheDescriptorTable)
        if (HasCacheDescriptor((uint8_t)row.code)) report.Append(row.line);
    if (CpuidInfo.maxExtendedLeaf < 0x80000006) return;
    WriteL2Lines(report);
}

// The address sizes keep the conditions they had inside the memory-cache
// block, so the cache parameters can stand between the two.
static void WriteAddressSizesAfterCaches(ReportBuffer& report) {
    if (CpuidInfo.maxStandardLeaf < 2 || CpuidInfo.maxExtendedLeaf < 0x80000008) return;
    WriteAddressSizes(report);
}

static unsigned ByteOf(uint32_t value, int index) {
    return (value >> (8 * index)) & 0xFF;
}

// Formats both columns with their own patterns and writes the line.
static void AppendPair(ReportBuffer& report, const char* leftFormat, unsigned leftValue, const char* rightFormat,
                       unsigned rightValue) {
    char left[64];
    char right[64];
    wsprintfA(left, leftFormat, leftValue);
    wsprintfA(right, rightFormat, rightValue);
    AppendTwoColumnLine(report, left, right);
}

static void WriteAmdTlbAndL1Blocks(ReportBuffer& report) {
    CpuidRegisters r = RunCpuidLeaf(0x80000005);
    report.Append(Pick("\r\n\r\n[TLB情報]\r\n <データTLB>                            <命令TLB>",
                       "\r\n\r\n[TLB Information]\r\n <Data TLB>                             <Instruction TLB>"));
    AppendPair(report, " Associativity: %02Xh", ByteOf(r.ebx, 3), " Associativity: %02Xh", ByteOf(r.ebx, 1));
    const char* entry = Pick(" #エントリ    : %u", " #Entry       : %u");
    AppendPair(report, entry, ByteOf(r.ebx, 2), entry, ByteOf(r.ebx, 0));
    report.Append(Pick("\r\n[L1データキャッシュ]                    [L1命令キャッシュ]",
                       "\r\n[L1 Data Cache]                         [L1 Instruction Cache]"));
    const char* size = Pick(" サイズ       : %uKB", " Size         : %uKB");
    AppendPair(report, size, ByteOf(r.ecx, 3), size, ByteOf(r.edx, 3));
    AppendPair(report, " Associativity: %02Xh", ByteOf(r.ecx, 2), " Associativity: %02Xh", ByteOf(r.edx, 2));
    AppendPair(report, " Lines per Tag: %u", ByteOf(r.ecx, 1), " Lines per Tag: %u", ByteOf(r.edx, 1));
    AppendPair(report, " Line size    : %ubytes", ByteOf(r.ecx, 0), " Line size    : %ubytes", ByteOf(r.edx, 0));
}

void WriteCacheSections(ReportBuffer& report, const CoreTypeList& coreTypes) {
    WriteMemoryCacheBlock(report);
    WriteCacheParameters(report, coreTypes);
    WriteAddressSizesAfterCaches(report);
    if (CpuidInfo.vendorCode == VendorAmd && CpuidInfo.maxExtendedLeaf >= 0x80000005) WriteAmdTlbAndL1Blocks(report);
}
