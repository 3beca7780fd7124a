// The processor section driven by made-up registers for what no recorded
// dump covers: no CPUID, other architectures, Cyrix, brand indexes, old
// Pentium steppings, descriptor corner cases, and random register sets.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "envreport/cpu/cpu_clock.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_raw_section.h"
#include "envreport/report_driver.h"
#include "envreport/report_language.h"
#include "tests/support/processor_report.h"
#include "tests/support/report_section.h"

static CpuidRegisters VendorLeaf(uint32_t maxLeaf, const char* vendor) {
    CpuidRegisters r = {maxLeaf, 0, 0, 0};
    memcpy(&r.ebx, vendor, 4);
    memcpy(&r.edx, vendor + 4, 4);
    memcpy(&r.ecx, vendor + 8, 4);
    return r;
}

static void PutBrand(SyntheticProcessor* p, const char* brand) {
    char text[48] = {};
    memcpy(text, brand, strlen(brand));
    for (int i = 0; i < 3; ++i) {
        CpuidRegisters r;
        memcpy(&r, text + 16 * i, 16);
        p->leaves[0x80000002 + i] = r;
    }
}

class SyntheticCpu : public ::testing::Test {
protected:
    SyntheticProcessor cpu;
    ProcessorSwap processor{&cpu};
    ReportContext context = {};
    void SetUp() override {
        context.system.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
        context.system.dwNumberOfProcessors = 1;
        context.system.dwProcessorType = 586;
    }
    // An Intel-style processor with the given signature and leaf 1 EDX.
    void Intel(uint32_t signature, uint32_t edx = 0, uint32_t ebx = 0, const char* vendor = "GenuineIntel") {
        cpu.leaves[0] = VendorLeaf(1, vendor);
        cpu.leaves[1] = {signature, ebx, 0, edx};
    }
    std::string Section(bool japanese = false) { return ProcessorSectionText(japanese, &context); }
    std::string Name(bool japanese = false) {
        std::string text = Section(japanese);
        size_t start = text.find(japanese ? "プロセッサ    :" : "Processor     :") + 15;
        return text.substr(start, text.find("\r\n", start) - start);
    }
};

TEST_F(SyntheticCpu, WithoutCpuidTheNameComesFromTheSystemOrTheDivideTest) {
    cpu.hasCpuid = false;
    context.system.dwProcessorType = 486;
    context.system.dwNumberOfProcessors = 2;
    context.system.dwActiveProcessorMask = 5;
    EXPECT_EQ("\r\n\r\n[Processor]\r\nProcessor     :Intel 80486\r\nNumber of CPU:2 [oxoxxxxxxxxxxxxxxxxxxxxxxxxxxxxx]",
              Section());
    context.system.dwNumberOfProcessors = 1;
    context.system.dwProcessorType = 386;
    EXPECT_EQ("Intel 80386", Name());
    context.system.dwProcessorType = 999;
    EXPECT_EQ("?", Name());
    cpu.cyrixDivide = true;
    EXPECT_EQ("Cx4x86/5x86", Name());
    // CPUID present but a zero signature counts as none.
    cpu.hasCpuid = true;
    cpu.cyrixDivide = false;
    Intel(0);
    context.system.dwProcessorType = 586;
    EXPECT_EQ("\r\n\r\n[Processor]\r\nProcessor     :Intel Pentium", Section());
}

TEST_F(SyntheticCpu, OtherArchitecturesAreNamedAndEndTheSection) {
    struct {
        WORD architecture, level;
        const char* english;
        const char* japanese;
    } cases[] = {
        {PROCESSOR_ARCHITECTURE_MIPS, 4, "MIPS R4000", "MIPS R4000"},
        {PROCESSOR_ARCHITECTURE_MIPS, 3, "MIPS Architecture", "MIPSアーキテクチャ"},
        {PROCESSOR_ARCHITECTURE_ALPHA, 21164, "Alpha 21164", "Alpha 21164"},
        {PROCESSOR_ARCHITECTURE_PPC, 9, "PPC 604+", "PPC 604+"},
        {PROCESSOR_ARCHITECTURE_PPC, 5, "PPC Architecture", "PPCアーキテクチャ"},
        {PROCESSOR_ARCHITECTURE_ARM, 0, "ARM Architecture", "ARMアーキテクチャ"},
        {PROCESSOR_ARCHITECTURE_IA32_ON_WIN64, 0, "IA32 on Win64 Architecture", "IA32 on Win64アーキテクチャ"},
        {PROCESSOR_ARCHITECTURE_UNKNOWN, 0, "Unknown Architecture", "不明なアーキテクチャ"},
        {11, 0, "Unknown Architecture", "不明なアーキテクチャ"},
    };
    Intel(0x6F6, 1 << 4);
    for (auto& c : cases) {
        context.system.wProcessorArchitecture = c.architecture;
        context.system.wProcessorLevel = c.level;
        EXPECT_EQ(std::string("\r\n\r\n[Processor]\r\nProcessor     :") + c.english, Section());
        EXPECT_EQ(c.japanese, Name(true));
    }
}

TEST_F(SyntheticCpu, CyrixWithAndWithoutABrandString) {
    cpu.leaves[0] = VendorLeaf(1, "CyrixInstead");
    cpu.leaves[1] = {0x652, 0, 0, 1u << 23};
    cpu.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    cpu.leaves[0x80000001] = {0, 0, 0, 0x80000001};
    PutBrand(&cpu, "   Cyrix MII ");
    std::string text = Section();
    EXPECT_EQ(0u, text.find("\r\n\r\n[Processor]\r\nProcessor     :Cyrix MII \r\n")) << "leading blanks skipped";
    EXPECT_NE(std::string::npos, text.find("\r\nVender ID     :\"CyrixInstead\" (Cyrix)"));
    EXPECT_EQ(VendorCyrix, CpuidInfo.vendorCode);
    EXPECT_NE(std::string::npos, text.find("[CPUID Extend Feature Flag(Cyrix)]     [CPUID Additional Extend Feature Flag]"
                                           "\r\n 0-FPU                             :1   0-Unknown                         :0"));
    EXPECT_NE(std::string::npos, text.find("\r\n31-3DNow! Instructions             :1  31-Unknown"));

    cpu.leaves[0x80000000] = {0x80000001, 0, 0, 0};
    cpu.leaves[1] = {0x520, 0, 0, 0};
    CpuidInfo = CpuidInfoRecord();
    text = Section();
    EXPECT_EQ("6x86/6x86L(PR90+/120+/133+/150+/166+/200+)", Name());
    EXPECT_EQ(VendorCyrixNoBrand, CpuidInfo.vendorCode);
    EXPECT_EQ(std::string::npos, text.find("Extend Feature Flag")) << "0x80000001 is not enough for the table";
    cpu.leaves[1] = {0x440, 0, 0, 0};
    EXPECT_EQ("MEDIA GX", Name());
    PutBrand(&cpu, "          ");
    cpu.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    EXPECT_EQ("", Name()) << "an all-blank brand string";
}

TEST_F(SyntheticCpu, BrandIndexesNameProcessorsWithoutABrandString) {
    Intel(0x6B1, 0, 0x03);
    std::string text = Section();
    EXPECT_EQ("Intel Celeron Processor", Name());
    EXPECT_NE(std::string::npos, text.find("\r\nBrand ID      :03h (Intel Celeron Processor)"));
    Intel(0x6B4, 0, 0x03);
    EXPECT_EQ("Intel Pentium III Xeon", Name());
    Intel(0xF12, 0, 0x0B);
    EXPECT_EQ("Intel Xeon Processor MP", Name());
    Intel(0xF13, 0, 0x0B);
    EXPECT_EQ("Intel Xeon Processor", Name());
    Intel(0xF24, 0, 0x05);
    text = Section();
    EXPECT_EQ("Intel Pentium 4 Processor", Name());
    EXPECT_NE(std::string::npos, text.find("\r\nBrand ID      :05h (Unknown)"));
    EXPECT_NE(std::string::npos, Section(true).find("\r\nブランドID    :05h (Unknown)"));
    Intel(0x695, 0, 0x16);
    EXPECT_EQ("Intel Pentium M Processor", Name());
    Intel(0x6D8, 1u << 23 | 1u << 25, 0x30);
    EXPECT_EQ("Intel Pentium III/Pentium III Xeon Processor", Name()) << "no name for index 48: the P6 rule";
    // Families without an index never print the line, whatever EBX holds.
    Intel(0x683, 0, 0x02, "CentaurHauls");
    text = Section();
    EXPECT_EQ("WinChip", Name());
    EXPECT_EQ(std::string::npos, text.find("Brand ID"));
    Intel(0x543, 0, 0x02);
    EXPECT_EQ(std::string::npos, Section().find("Brand ID"));
}

TEST_F(SyntheticCpu, OldPentiumSteppingsAndOverdrives) {
    struct {
        uint32_t signature, edx;
        const char* name;
    } cases[] = {
        {0x500, 0, "Intel Pentium Processor(60/66) with FPU bug"},
        {0x513, 0, "Intel Pentium Processor(60/66) with FPU bug"},
        {0x511, 0, "Intel Pentium Processor(60/66)"},
        {0x51A, 0, "Intel Pentium ODP (PODP5V133)(120/133)"},
        {0x525, 0, "Intel Pentium Processor(75/90/100/120/133/150/166/200)"},
        {0x52C, 0, "Intel Pentium Processor(133/150/166/200)/ODP (PODP3V125/150/166)"},
        {0x544, 1u << 23, "Intel MMX Technology Pentium Processor(166/200)"},
        {0x580, 1u << 23, "Intel MMX Technology Pentium Processor"},
        {0x480, 0, "Intel DX4"},
        {0x633, 0, "Intel Pentium II Processor(233/266/300)"},
        {0x665, 0, "Intel Celeron Processor(300A/333/366/400/433/466) [PPGA]"},
        {0x1520, 0, "Intel Pentium ODP for Pentium(75/90/100/120/133)"},
        {0x1532, 0, "Intel Pentium ODP for i486 (PODP5V83)"},
        {0x1531, 0, "Intel Pentium ODP for i486 (PODP5V63)"},
        {0x1633, 1u << 23, "Intel Pentium II ODP"},
        {0x2A00, 0, "Dual Processor"},
        {0x1700, 0, "Unknown ODP"},
        {0x0700, 0, "Unknown"},
        {0x0300, 0, "80386"},
    };
    for (auto& c : cases) {
        Intel(c.signature, c.edx);
        EXPECT_EQ(c.name, Name()) << std::hex << c.signature;
    }
    Intel(0x700);
    EXPECT_EQ("不明", Name(true));
}

TEST_F(SyntheticCpu, ExtendedLeavesCountOnlyInTheirOwnRange) {
    Intel(0x6F6);
    cpu.leaves[0x80000000] = {0x80000000, 0, 0, 0};
    cpu.leaves[0x80000001] = {0, 0, 0xFFFFFFFF, 0xFFFFFFFF};
    std::string text = Section();
    EXPECT_EQ(std::string::npos, text.find("Ext.Functions"));
    EXPECT_EQ(0u, CpuidInfo.extFeatureEdx) << "leaf 0x80000001 not read";
    // A processor without extended leaves may echo unrelated data here.
    cpu.leaves[0x80000000] = {0x9000000A, 0, 0, 0};
    CpuidInfo = CpuidInfoRecord();
    EXPECT_EQ(std::string::npos, Section().find("Ext.Functions"));
    EXPECT_EQ(0u, CpuidInfo.maxExtendedLeaf);
    cpu.leaves[0x80000000] = {0x80000001, 0, 0, 0};
    text = Section();
    EXPECT_NE(std::string::npos, text.find("\r\nExt.Functions :80000000h - 80000001h"));
    EXPECT_EQ(std::string::npos, text.find("Extend Feature Flag"));
}

TEST_F(SyntheticCpu, ExtendedSignatureLineRules) {
    Intel(0xF29);
    EXPECT_EQ(std::string::npos, Section().find("Ext.CPUID"));
    Intel(0x106A5);
    std::string text = Section();
    EXPECT_NE(std::string::npos, text.find("\r\nCPUID         :ProcessorType 0 Family 6 Model A Stepping 5"));
    EXPECT_NE(std::string::npos, text.find("\r\nExt.CPUID     :ProcessorType 0 Family 6 Model 1A Stepping 5"));
    Intel(0x20F32);
    EXPECT_NE(std::string::npos, Section().find("\r\nExt.CPUID     :ProcessorType 0 Family F Model 23 Stepping 2"));
    Intel(0x10F80);
    EXPECT_NE(std::string::npos, Section().find("\r\nExt.CPUID     :ProcessorType 0 Family F Model 18 Stepping 0"));
    Intel(0x30520);
    EXPECT_EQ(std::string::npos, Section().find("Ext.CPUID")) << "family 5 never";
}

TEST_F(SyntheticCpu, DescriptorsPrintOnceInTableOrder) {
    Intel(0x6F6);
    cpu.leaves[0].eax = 2;
    cpu.leaves[2] = {0x000000FF & 0x01, 0xFF, 0, 0};
    std::string text = Section();
    size_t start = text.find("[Memory Cache]");
    ASSERT_NE(std::string::npos, start);
    EXPECT_EQ("[Memory Cache]\r\n   (FFh) [General] CPUID leaf 2 does not report cache descriptor information, use "
              "CPUID leaf 4 to query cache parameters\r\n\r\n[CPUID Standard",
              text.substr(start, text.find(" Feature Flag]") - start));
    // 03h twice; every byte counts, also those of a register with bit 31 set.
    cpu.leaves[2] = {0x03010201, 0x000070CA, 0x80000000, 0x00000003};
    text = Section();
    start = text.find("[Memory Cache]");
    EXPECT_EQ("[Memory Cache]"
              "\r\n   (01h) [TLB]   Instruction TLB: 4 KByte pages, 4-way set associative, 32 entries"
              "\r\n   (02h) [TLB]   Instruction TLB: 4 MByte pages, fully associative, 2 entries"
              "\r\n   (03h) [TLB]   Data TLB: 4 KByte pages, 4-way set associative, 64 entries"
              "\r\n   (70h) [Cache] Trace cache: 12 K-micro-op, 8-way set associative"
              "\r\n   (80h) [Cache] 2nd-level cache: 512 KByte, 8-way set associative, 64-byte line size"
              "\r\n   (CAh) [STLB]  Shared 2nd-Level TLB: 4 KByte pages, 4-way associative, 512 entries"
              "\r\n\r\n[CPUID Standard",
              text.substr(start, text.find(" Feature Flag]") - start));
    cpu.leaves[0].eax = 1;
    cpu.leaves[0x80000000] = {0x80000008, 0, 0, 0};
    EXPECT_EQ(std::string::npos, Section().find("[Memory Cache]")) << "highest standard leaf 1";
    EXPECT_EQ(std::string::npos, Section().find("Address size"));
}

TEST_F(SyntheticCpu, L2AndAddressLinesInBothLanguagesButNoAmdBlocksForIntel) {
    Intel(0x6F6);
    cpu.leaves[0].eax = 2;
    cpu.leaves[0x80000000] = {0x80000008, 0, 0, 0};
    cpu.leaves[0x80000005] = {0, 0x04040404, 0x20020140, 0x20020140};
    cpu.leaves[0x80000006] = {0, 0, 0x01006040, 0};
    cpu.leaves[0x80000008] = {0x3024, 0, 0, 0};
    std::string text = Section();
    EXPECT_NE(std::string::npos, text.find("\r\nL2 Cache Line size      :64 bytes\r\nL2 Associativity field  :8ways"
                                           "\r\nL2 Cache size           :256 KB\r\n\r\n[Linear/Physical Address size]"
                                           "\r\nPhysical Address Bits   :36\r\nLinear Address Bits     :48"));
    EXPECT_EQ(std::string::npos, text.find("TLB Information"));
    EXPECT_NE(std::string::npos, Section(true).find("\r\nL2キャッシュ連想度      :セットアソシアティブ方式 8ways"));
}

TEST_F(SyntheticCpu, AmdBlocksNeedLeaf80000005) {
    Intel(0xF4A, 0, 0, "AuthenticAMD");
    cpu.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    std::string text = Section();
    EXPECT_EQ(std::string::npos, text.find("TLB Information"));
    EXPECT_NE(std::string::npos, text.find("\r\n\r\n[CPUID Standard Feature Flag(AMD)      [CPUID"));
    cpu.leaves[0x80000000] = {0x80000005, 0, 0, 0};
    cpu.leaves[0x80000005] = {0, 0xFF20FF10, 0x40020140, 0x20040220};
    text = Section();
    EXPECT_NE(std::string::npos,
              text.find("\r\n\r\n[TLB Information]\r\n <Data TLB>                             <Instruction TLB>"
                        "\r\n Associativity: FFh                      Associativity: FFh"
                        "\r\n #Entry       : 32                       #Entry       : 16"
                        "\r\n[L1 Data Cache]                         [L1 Instruction Cache]"
                        "\r\n Size         : 64KB                     Size         : 32KB"
                        "\r\n Associativity: 02h                      Associativity: 04h"
                        "\r\n Lines per Tag: 1                        Lines per Tag: 2"
                        "\r\n Line size    : 64bytes                  Line size    : 32bytes"
                        "\r\n\r\n[CPUID Standard Feature Flag(AMD)"));
}

TEST_F(SyntheticCpu, OtherVendorsGetUnknownExtendedNamesWithRealBits) {
    Intel(0x6A9, 0, 0, "VIA VIA VIA ");
    cpu.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    cpu.leaves[0x80000001] = {0, 0, 0x2, 0x1};
    std::string text = Section();
    EXPECT_NE(std::string::npos, text.find("[CPUID Extend Feature Flag]            [CPUID Additional Extend Feature Flag]"
                                           "\r\n 0-Unknown                         :1   0-Unknown                         :0"
                                           "\r\n 1-Unknown                         :0   1-Unknown                         :1"));
    EXPECT_NE(std::string::npos, text.find("\r\nVender ID     :\"VIA VIA VIA \" (VIA)"));
}

TEST_F(SyntheticCpu, JapaneseNamesArePaddedToTheSameByteLayout) {
    Intel(0x6F6, 1);
    std::string text = Section(true);
    EXPECT_NE(std::string::npos, text.find("\r\n 0-オンチップ浮動小数点ユニット    :1   0-ストリーミングSIMD拡張命令3     :0"));
}

TEST(CpuClock, ArithmeticOfTheFourMethods) {
    // 3 GHz over 300 ms with a 10 MHz counter that costs 5 ticks a read.
    EXPECT_EQ(300000u, ClockFromPerformanceCounter(1000, 1000 + 900000000ULL, 100, 105, 105 + 3000000 + 5, 10000000));
    EXPECT_EQ(0u, ClockFromPerformanceCounter(0, 1000, 10, 10, 10, 1000)) << "no elapsed ticks";
    EXPECT_EQ(299912u, ClockFromMilliseconds(0, 899736000ULL, 300));
    EXPECT_EQ(0u, ClockFromMilliseconds(0, 1000, 0));
    EXPECT_EQ(5u, ClockFromMilliseconds(0, 15000, 300));
    EXPECT_TRUE(TickWindowEnded(0xFFFFFF00u, 0x0000002Cu));
    EXPECT_FALSE(TickWindowEnded(0xFFFFFF00u, 0x0000002Bu));
    EXPECT_FALSE(TickWindowEnded(1000, 1299));
    EXPECT_TRUE(TickWindowEnded(1000, 1300));
}

TEST(CpuClock, LinesHaveAFiveCharacterWholePartAndTwoDecimals) {
    ScopedSwap<bool> language(ReportLanguage, false);
    ReportBuffer report = {};
    report.Init();
    AppendClockLine(report, 0, 299912);
    AppendClockLine(report, 1, 5);
    AppendClockLine(report, 2, 100);
    AppendClockLine(report, 3, 0);
    EXPECT_STREQ("\r\nFrequency     : 2999.12 MHz (with High-resolution performance counter)"
                 "\r\nFrequency     :    0.05 MHz (with Multi media timer)"
                 "\r\nFrequency     :    1.00 MHz (with GetTickCount)",
                 report.text);
    report.Free();
}

TEST(CpuClock, AnUnknownMethodMeasuresNothingAndRestoresTheThread) {
    HANDLE thread = GetCurrentThread();
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(0u, MeasureCpuClock(4));
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, GetThreadPriority(thread));
    DWORD_PTR process = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &process, &system);
    DWORD_PTR previous = SetThreadAffinityMask(thread, process);
    EXPECT_EQ(process, previous) << "the affinity came back";
    SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);
}

static double PerformanceCounterSeconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

// The live processor against the rate its time-stamp counter runs at by
// the host's monotonic clock (what Wine's performance counter reads),
// taken over all four measurements: no window of the test's own, and not
// the core clock, which a host that scales it shows in /proc/cpuinfo.
TEST(CpuClock, LiveMeasurementsAgreeWithTheHost) {
    ScopedSwap<ProcessorAccess> live(Processor, LiveProcessor);
    ASSERT_EQ(1, HasTimeStampCounter());
    double mhz[4], seconds[4];
    double start = PerformanceCounterSeconds();
    uint64_t startCycles = Processor.readTimeStampCounter();
    for (ClockMethod method = 0; method < 4; ++method) {
        double called = PerformanceCounterSeconds();
        mhz[method] = MeasureCpuClock(method) / 100.0;
        seconds[method] = PerformanceCounterSeconds() - called;
    }
    double hostMhz = (Processor.readTimeStampCounter() - startCycles) / (PerformanceCounterSeconds() - start) / 1e6;
    // The performance counter and the multimedia timer are read at both
    // ends of the window and agree with that rate.
    for (ClockMethod method = 0; method < 2; ++method)
        EXPECT_NEAR(hostMhz, mhz[method], hostMhz * 0.05) << "method " << (int)method;
    // GetTickCount and Sleep take their 300 ms on trust: a coarse tick
    // count may start the window up to a few ticks late, load only ever
    // lengthens a Sleep, and neither window outlasts the call around it.
    const double lowestShare[4] = {0, 0, 0.85, 0.95};
    for (ClockMethod method = 2; method < 4; ++method) {
        EXPECT_GE(mhz[method], hostMhz * lowestShare[method]) << "method " << (int)method;
        EXPECT_LE(mhz[method], hostMhz * seconds[method] / 0.3 * 1.01) << "method " << (int)method;
    }
}

static int TimeStampReads;

TEST(CpuClock, NoTimeStampCounterMeansNoClockLines) {
    SyntheticProcessor cpu;
    cpu.leaves[0] = VendorLeaf(1, "GenuineIntel");
    cpu.leaves[1] = {0x543, 0, 0, 0};
    ProcessorSwap processor(&cpu);
    ScopedSwap<bool> language(ReportLanguage, false);
    ReportBuffer report = {};
    report.Init();
    ProbeCpuid();
    TimeStampReads = 0;
    Processor.readTimeStampCounter = []() -> uint64_t { return ++TimeStampReads; };
    WriteClockLines(report);
    EXPECT_EQ(0, TimeStampReads) << "nothing was measured";
    EXPECT_STREQ("", report.text);
    report.Free();
}

// Random registers never crash the section, and every flag table keeps
// its 32 lines with every colon in its column.
// The Logical CPUs line follows the classic lines directly, Max Logical
// Processors where it is printed, with the cores and packages Windows
// tells.
TEST_F(SyntheticCpu, LogicalCpusFollowTheClassicLinesWithCoresAndPackages) {
    Intel(0x906A3, 1 << 28, 2 << 16);
    cpu.processors = 8;
    cpu.cores = 4;
    cpu.packages = 1;
    EXPECT_NE(std::string::npos,
              Section().find("\r\nMax Logical Processors:2\r\nLogical CPUs  :8 (4 cores, 1 packages)\r\n\r\n"));
    EXPECT_NE(std::string::npos,
              Section(true).find("\r\n最大論理プロセッサ数:2\r\n論理プロセッサ:8 (4コア, 1パッケージ)\r\n\r\n"));
    cpu.leaves[1].edx = 0;
    cpu.packages = 0;
    EXPECT_NE(std::string::npos, Section().find("\r\nStd.Functions :00000000h - 00000001h\r\nLogical CPUs  :8\r\n\r\n"));
}

// The sub-leaves the raw block lists for `leaf`, in order.
static std::vector<uint32_t> RawSubleaves(const std::string& raw, uint32_t leaf) {
    std::vector<uint32_t> subleaves;
    for (size_t at = raw.find("\r\n   0x"); at != std::string::npos; at = raw.find("\r\n   0x", at + 2)) {
        unsigned listed, subleaf;
        if (sscanf(raw.c_str() + at, "\r\n   0x%8x 0x%2x:", &listed, &subleaf) == 2 && listed == leaf)
            subleaves.push_back(subleaf);
    }
    return subleaves;
}

// Each leaf lists the sub-leaves its own registers define, the ending one
// included, and never more than 64; the extended range only when
// 80000000h answers with an extended leaf.
TEST_F(SyntheticCpu, RawBlockListsTheSubleavesEachLeafDefines) {
    Intel(0x906A3);
    cpu.leaves[0] = VendorLeaf(0x1F, "GenuineIntel");
    cpu.leaves[4] = {0x121, 0, 0, 0};  // a data cache in every sub-leaf
    for (uint32_t subleaf = 1; subleaf < 70; ++subleaf) cpu.subleaves[{4, subleaf}] = cpu.leaves[4];
    cpu.leaves[7] = {2, 0, 0, 0};
    for (uint32_t subleaf = 1; subleaf < 4; ++subleaf) cpu.subleaves[{7, subleaf}] = {subleaf, 1, 1, 1};
    // Topology: SMT, core, then level type 0; a fourth sub-leaf past it.
    for (uint32_t leaf : {0xBu, 0x1Fu}) {
        cpu.leaves[leaf] = {1, 2, 0x100, 0};
        cpu.subleaves[{leaf, 1}] = {4, 8, 0x201, 0};
        cpu.subleaves[{leaf, 2}] = {0, 0, 2, 0};
        cpu.subleaves[{leaf, 3}] = {0, 0, 0x303, 0};
    }
    // XCR0: x87, SSE, AVX, PKRU and component 32; IA32_XSS: PT.
    cpu.leaves[0xD] = {0x207, 0, 0, 1};
    cpu.subleaves[{0xD, 1}] = {0xF, 0, 0x100, 0};
    for (uint32_t subleaf = 2; subleaf < 64; ++subleaf) cpu.subleaves[{0xD, subleaf}] = {subleaf, 1, 0, 0};
    cpu.leaves[0x80000000] = {0x80000001, 0, 0, 0};

    const std::vector<uint32_t> upToTwo = {0, 1, 2};
    std::vector<uint32_t> cacheSubleaves;
    for (uint32_t subleaf = 0; subleaf < 64; ++subleaf) cacheSubleaves.push_back(subleaf);
    for (uint32_t top : {0x80000001u, 0x0000001Fu}) {
        cpu.leaves[0x80000000].eax = top;
        CpuidInfo = CpuidInfoRecord();
        Section();
        std::string raw = SectionText(WriteCpuidRawSection, false, &context);
        SCOPED_TRACE(raw);
        EXPECT_EQ(cacheSubleaves, RawSubleaves(raw, 4));
        EXPECT_EQ(upToTwo, RawSubleaves(raw, 7));
        EXPECT_EQ(upToTwo, RawSubleaves(raw, 0xB));
        EXPECT_EQ(upToTwo, RawSubleaves(raw, 0x1F));
        EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 8, 9, 32}), RawSubleaves(raw, 0xD));
        EXPECT_EQ(std::vector<uint32_t>{0}, RawSubleaves(raw, 0x1E));
        bool extended = top >> 16 == 0x8000;
        EXPECT_EQ(extended ? std::vector<uint32_t>{0} : std::vector<uint32_t>(), RawSubleaves(raw, 0x80000000));
        EXPECT_EQ(extended ? std::vector<uint32_t>{0} : std::vector<uint32_t>(), RawSubleaves(raw, 0x80000001));
    }
}

TEST_F(SyntheticCpu, RandomRegisterSetsKeepTheLayout) {
    static const char* const vendors[] = {"GenuineIntel", "AuthenticAMD", "CyrixInstead", "CentaurHauls",
                                          "UMC UMC UMC ", "NexGenDriven", "VIA VIA VIA ", "xxxxxxxxxxxx"};
    std::mt19937 random(20261208);
    for (int run = 0; run < 300; ++run) {
        cpu.leaves.clear();
        cpu.leaves[0] = VendorLeaf(random() % 8, vendors[random() % 8]);
        cpu.leaves[1] = {(uint32_t)random(), (uint32_t)random(), (uint32_t)random(), (uint32_t)random()};
        cpu.leaves[2] = {(uint32_t)random() & 0xFFFFFF03, (uint32_t)random(), (uint32_t)random(), (uint32_t)random()};
        cpu.leaves[0x80000000] = {random() % 2 ? 0x80000000 + random() % 10 : (uint32_t)random(), 0, 0, 0};
        for (uint32_t leaf = 0x80000001; leaf <= 0x80000008; ++leaf)
            cpu.leaves[leaf] = {(uint32_t)random(), (uint32_t)random(), (uint32_t)random(), (uint32_t)random()};
        CpuidInfo = CpuidInfoRecord();
        bool japanese = run % 2;
        std::string text = Section(japanese);
        SCOPED_TRACE(run);
        ASSERT_EQ(0u, text.find(japanese ? "\r\n\r\n[プロセッサ]" : "\r\n\r\n[Processor]"));
        if (CpuidInfo.signature == 0) continue;
        size_t tables = 0;
        for (size_t at = text.find("[CPUID"); at != std::string::npos; at = text.find("[CPUID", at + 1)) {
            size_t line = text.find("\r\n", at);
            at = line;
            for (int bit = 0; bit < 32; ++bit) {
                ASSERT_EQ(0, text.compare(line, 2, "\r\n"));
                ASSERT_EQ(':', text[line + 2 + 35]);
                ASSERT_EQ(':', text[line + 2 + 74]);
                line += 2 + 76;
                at = line;
            }
            ++tables;
        }
        EXPECT_EQ(1u + (CpuidInfo.maxExtendedLeaf > 0x80000001) + (CpuidInfo.maxStandardLeaf >= 7 ? 2 : 0), tables);
    }
}
