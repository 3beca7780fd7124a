// The lines today's processors add to the processor section, replayed
// from the recorded dumps (one-processor `cpuid -r` files and published
// multi-CPU dumps) and checked against registers read here on their own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_raw_section.h"
#include "envreport/cpu/cpuid_replay.h"
#include "envreport/cpu/processor_section.h"
#include "envreport/report_text.h"
#include "tests/support/linux_tools.h"
#include "tests/support/processor_report.h"
#include "tests/support/report_section.h"
#include "tests/support/test_files.h"

// The registers of a leaf and sub-leaf, and the cache size in KB the
// dump's own annotation states ("[L1D: 48 KB]", "[L2U: 1 MB]"), 0 without.
struct DumpLeaf {
    CpuidRegisters r;
    unsigned statedKb;
};
typedef std::map<std::pair<uint32_t, uint32_t>, DumpLeaf> CpuLeaves;

static unsigned StatedCacheKb(const std::string& line) {
    unsigned level, size;
    char kind, unit[3] = "";
    size_t at = line.find("] [L");
    if (at == std::string::npos || line.find('/', at) != std::string::npos ||
        sscanf(line.c_str() + at, "] [L%u%c: %u %2s", &level, &kind, &size, unit) != 4)
        return 0;
    return std::string(unit) == "MB" ? size * 1024 : size;
}

// Every CPU of a dump in either layout, by leaf and sub-leaf.
static std::vector<CpuLeaves> ReadCpus(const std::string& text) {
    std::vector<CpuLeaves> cpus;
    std::pair<uint32_t, uint32_t> last(~0u, 0);
    for (size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        unsigned leaf, sub = 0, r[4];
        if (sscanf(line.c_str(), " 0x%x 0x%x: eax=0x%x ebx=0x%x ecx=0x%x edx=0x%x", &leaf, &sub, &r[0], &r[1], &r[2],
                   &r[3]) == 6) {
            cpus.back()[{leaf, sub}] = {{r[0], r[1], r[2], r[3]}, 0};
        } else if (line.compare(0, 3, "CPU") == 0 && line.compare(0, 5, "CPUID") != 0 &&
                   line.find(':') == line.find_last_not_of("\r")) {
            cpus.emplace_back();
        } else if (line.compare(0, 6, "CPUID ") == 0 && line.find_first_not_of("0123456789ABCDEF", 6) == 14 &&
                   sscanf(line.c_str() + 15, "%*[: \t]%8x-%8x-%8x-%8x", &r[0], &r[1], &r[2], &r[3]) == 4) {
            leaf = strtoul(line.c_str() + 6, NULL, 16);
            size_t sl = line.find("[SL ");
            if (sl != std::string::npos) sub = strtoul(line.c_str() + sl + 4, NULL, 16);
            else if (leaf == last.first) sub = last.second + 1;
            if (leaf == 0 && sub == 0) cpus.emplace_back();
            cpus.back()[{leaf, sub}] = {{r[0], r[1], r[2], r[3]}, StatedCacheKb(line)};
            last = {leaf, sub};
        }
    }
    return cpus;
}

static CpuidRegisters At(const CpuLeaves& cpu, uint32_t leaf, uint32_t sub = 0) {
    auto found = cpu.find({leaf, sub});
    return found == cpu.end() ? CpuidRegisters() : found->second.r;
}

struct ReplayedDump {
    std::string name;
    std::vector<CpuLeaves> cpus;
    std::string english, japanese;  // the processor section
};

static ReplayedDump Replay(const std::string& relative) {
    ProcessorSwap processor;
    ReplayedDump dump;
    dump.name = relative;
    dump.cpus = ReadCpus(ReadTextFile(TestDataPath(relative)));
    char error[160] = "";
    EXPECT_TRUE(ReplayCpuidDump(WideOf(TestDataPath(relative)).c_str(), error, sizeof error)) << relative << ": " << error;
    CpuidInfo = CpuidInfoRecord();
    dump.english = ProcessorSectionText(false);
    CpuidInfo = CpuidInfoRecord();
    dump.japanese = ProcessorSectionText(true);
    return dump;
}

static std::vector<ReplayedDump> AllDumps() {
    std::vector<ReplayedDump> dumps;
    for (const std::string& name : RecordedDumps()) dumps.push_back(Replay(name));
    return dumps;
}

class ModernCpu : public ::testing::Test {
protected:
    static std::vector<ReplayedDump>* dumps;
    static void SetUpTestSuite() { dumps = new std::vector<ReplayedDump>(AllDumps()); }
    static void TearDownTestSuite() { delete dumps; }
};
std::vector<ReplayedDump>* ModernCpu::dumps;

// Rows whose names must stand at their bit, so that a table shifted by a
// row fails; each set in the named real dump. Tables: 0 leaf 7 EBX, 1 ECX,
// 2 EDX, 3 leaf 7.1 EAX.
struct FlagAnchor {
    int table, bit;
    const char* name;
    const char* setIn;  // NULL: set in none of the dumps
};
static const char AlderLake[] = "intel-alder-lake.txt";
static const char Zen4[] = "amd-zen4-raphael.txt";
static const FlagAnchor Leaf7Anchors[] = {
    {0, 5, "AVX2", AlderLake},      {0, 16, "AVX512F", Zen4},     {0, 29, "SHA", AlderLake},
    {0, 31, "AVX512VL", Zen4},      {1, 1, "AVX512_VBMI", Zen4},  {1, 8, "GFNI", Zen4},
    {1, 22, "RDPID", Zen4},         {2, 4, "FSRM", AlderLake},    {2, 15, "Hybrid", AlderLake},
    {2, 24, "AMX-TILE", NULL},      {3, 4, "AVX-VNNI", AlderLake}, {3, 5, "AVX512_BF16", Zen4},
    {3, 22, "HRESET", AlderLake},
};

static bool EndsWith(const std::string& text, const char* end) {
    size_t length = strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

TEST_F(ModernCpu, Leaf7TablesFollowTheRegistersOfTheFirstCpu) {
    ASSERT_EQ(28u, dumps->size());
    int anchorsSet = 0;
    for (const ReplayedDump& dump : *dumps) {
        ASSERT_FALSE(dump.cpus.empty()) << dump.name;
        const CpuLeaves& cpu = dump.cpus[0];
        CpuidRegisters sub0 = At(cpu, 7), sub1 = sub0.eax >= 1 ? At(cpu, 7, 1) : CpuidRegisters();
        bool hasLeaf7 = At(cpu, 0).eax >= 7;
        EXPECT_EQ(hasLeaf7, dump.english.find("[CPUID Leaf 7") != std::string::npos) << dump.name;
        if (!hasLeaf7) continue;
        for (bool japanese : {false, true}) {
            const std::string& text = japanese ? dump.japanese : dump.english;
            const char* flag = japanese ? "機能フラグ]" : "Feature Flag]";
            std::string pad(japanese ? 10 : 8, ' ');
            const std::string headers[2] = {
                std::string("\r\n\r\n[CPUID Leaf 7 EBX ") + flag + pad + "[CPUID Leaf 7 ECX " + flag,
                std::string("\r\n\r\n[CPUID Leaf 7 EDX ") + flag + pad + "[CPUID Leaf 7.1 EAX " + flag};
            CheckFlagTable(text, headers[0], sub0.ebx, sub0.ecx, dump.name);
            CheckFlagTable(text, headers[1], sub0.edx, sub1.eax, dump.name);
            // Right after the last row of the classic tables, and last in
            // the section.
            size_t first = text.find(headers[0]);
            EXPECT_EQ(0, text.compare(text.rfind("\r\n", first - 1), 5, "\r\n31-")) << dump.name;
            EXPECT_EQ(text.size(), text.find(headers[1]) + headers[1].size() + 32 * 78) << dump.name;
            for (const FlagAnchor& anchor : Leaf7Anchors) {
                size_t at = text.find(headers[anchor.table / 2]) + headers[anchor.table / 2].size();
                std::string line = text.substr(at + 2 + anchor.bit * 78, 76);
                size_t column = anchor.table % 2 ? 42 : 3;
                std::string name = line.substr(column, 32);
                EXPECT_EQ(anchor.name, name.substr(0, name.find_last_not_of(' ') + 1)) << dump.name << ": " << line;
                if (!anchor.setIn || !EndsWith(dump.name, anchor.setIn)) continue;
                EXPECT_EQ('1', line[column + 33]) << dump.name << ": " << line;
                ++anchorsSet;
            }
        }
    }
    EXPECT_EQ(2 * 12, anchorsSet);
}

// The lines of the block under `heading`, up to the next blank line.
static std::vector<std::string> BlockLines(const std::string& text, const std::string& heading) {
    std::vector<std::string> lines;
    size_t at = text.find("\r\n\r\n" + heading);
    if (at == std::string::npos) return lines;
    at = text.find("\r\n", at + 4);
    for (size_t end; at != std::string::npos && at + 2 < text.size() && text.compare(at + 2, 2, "\r\n") != 0;
         at = end) {
        end = text.find("\r\n", at + 2);
        lines.push_back(text.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2));
    }
    return lines;
}

static std::string Vendor(const CpuLeaves& cpu) {
    CpuidRegisters l0 = At(cpu, 0);
    char vendor[13] = {};
    memcpy(vendor, &l0.ebx, 4);
    memcpy(vendor + 4, &l0.edx, 4);
    memcpy(vendor + 8, &l0.ecx, 4);
    return vendor;
}

struct TypeCount {
    unsigned code, firstCpu, count;
};

static bool IsHybrid(const CpuLeaves& cpu0) {
    return At(cpu0, 0).eax >= 7 && (At(cpu0, 7).edx >> 15) & 1;
}

// Counted here from leaf 1Ah of every CPU; one type 0 unless hybrid.
static std::vector<TypeCount> CountCoreTypes(const std::vector<CpuLeaves>& cpus) {
    std::vector<TypeCount> types;
    bool hybrid = IsHybrid(cpus[0]);
    for (unsigned i = 0; i < cpus.size(); ++i) {
        unsigned code = hybrid ? At(cpus[i], 0x1A).eax >> 24 : 0;
        auto known = std::find_if(types.begin(), types.end(), [&](const TypeCount& t) { return t.code == code; });
        if (known == types.end()) types.push_back({code, i, 1});
        else ++known->count;
    }
    return types;
}

static std::string TypeName(unsigned code) {
    char name[16];
    snprintf(name, sizeof name, "Type %02Xh", code);
    return code == 0x40 ? "Core" : code == 0x20 ? "Atom" : name;
}

// The cache lines the registers call for in either language, each size
// checked against the dump's annotation where it has one.
static std::vector<std::string> ExpectedCacheLines(const ReplayedDump& dump, bool japanese) {
    std::vector<std::string> lines;
    const CpuLeaves& cpu0 = dump.cpus[0];
    std::string vendor = Vendor(cpu0);
    bool amd = vendor == "AuthenticAMD" || vendor == "HygonGenuine";
    uint32_t leaf = amd ? ((At(cpu0, 0x80000001).ecx >> 22) & 1 && At(cpu0, 0x80000000).eax >= 0x8000001D ? 0x8000001D : 0)
                        : (At(cpu0, 0).eax >= 4 ? 4 : 0);
    if (leaf == 0) return lines;
    std::vector<TypeCount> types = CountCoreTypes(dump.cpus);
    for (const TypeCount& type : types) {
        const CpuLeaves& cpu = dump.cpus[type.firstCpu];
        for (uint32_t sub = 0; sub < 32 && (At(cpu, leaf, sub).eax & 0x1F); ++sub) {
            CpuidRegisters r = At(cpu, leaf, sub);
            unsigned kind = r.eax & 0x1F, ways = (r.ebx >> 22) + 1, lineSize = (r.ebx & 0xFFF) + 1;
            if (kind > 3) continue;
            unsigned kb = (unsigned)((uint64_t)ways * (((r.ebx >> 12) & 0x3FF) + 1) * lineSize * ((uint64_t)r.ecx + 1) / 1024);
            unsigned stated = cpu.at({leaf, sub}).statedKb;
            if (stated) {
                EXPECT_EQ(stated, kb) << dump.name << " sub-leaf " << sub;
            }
            static const char* const labels[2][3] = {{"L%u Data", "L%u Instruction", "L%u Unified"},
                                                     {"L%uデータ", "L%u命令", "L%u統合"}};
            char label[20], text[128];
            snprintf(label, sizeof label, labels[japanese][kind - 1], (r.eax >> 5) & 7);
            std::string associativity = (r.eax >> 9) & 1 ? (japanese ? "フルアソシアティブ" : "fully associative")
                                                         : std::to_string(ways) + (japanese ? "ウェイ" : "-way");
            snprintf(text, sizeof text, japanese ? "%-14s:%u KB, %s, %uバイトライン" : "%-14s:%u KB, %s, %u-byte line",
                     label, kb, associativity.c_str(), lineSize);
            lines.push_back(text + (IsHybrid(cpu0) ? " [" + TypeName(type.code) + "]" : std::string()));
        }
    }
    return lines;
}

TEST_F(ModernCpu, CacheParametersFollowTheRegistersAndTheDumpsOwnSizes) {
    for (const ReplayedDump& dump : *dumps) {
        EXPECT_EQ(ExpectedCacheLines(dump, false), BlockLines(dump.english, "[Cache Parameters]")) << dump.name;
        EXPECT_EQ(ExpectedCacheLines(dump, true), BlockLines(dump.japanese, "[キャッシュパラメータ]")) << dump.name;
        // The block stands between the memory cache and the address sizes.
        size_t at = dump.english.find("[Cache Parameters]");
        if (at == std::string::npos) continue;
        EXPECT_LT(dump.english.find("[Memory Cache]"), at) << dump.name;
        EXPECT_GT(dump.english.find("[Linear/Physical Address size]"), at) << dump.name;
    }
}

TEST_F(ModernCpu, LogicalCpusAndCoreTypesCountEveryCpuOfTheDump) {
    for (const ReplayedDump& dump : *dumps) {
        EXPECT_EQ(std::to_string(dump.cpus.size()), LineAfter(dump.english, "Logical CPUs  :")) << dump.name;
        std::vector<TypeCount> types = CountCoreTypes(dump.cpus);
        std::string counted;
        for (const TypeCount& type : types)
            counted += (counted.empty() ? "" : " + ") + std::to_string(type.count) + " " + TypeName(type.code);
        EXPECT_EQ(IsHybrid(dump.cpus[0]) ? counted : "<no Core Types    :>", LineAfter(dump.english, "Core Types    :"))
            << dump.name;
    }
    auto hybrid = std::find_if(dumps->begin(), dumps->end(),
                               [](const ReplayedDump& dump) { return EndsWith(dump.name, AlderLake); });
    ASSERT_TRUE(hybrid != dumps->end());
    EXPECT_EQ(24u, hybrid->cpus.size()) << "the hybrid dump is read whole";
}

// The processor section without the two lines that count the CPUs of the
// dump, which a raw block (one CPU per core type) cannot repeat.
static std::string WithoutCpuCounts(std::string text) {
    for (const char* label : {"\r\nLogical CPUs  :", "\r\nCore Types    :", "\r\n論理プロセッサ:",
                              "\r\nコア種別      :"}) {
        size_t at = text.find(label);
        if (at != std::string::npos) text.erase(at, text.find("\r\n", at + 2) - at);
    }
    return text;
}

// The section and raw block of the processor `Processor` answers for,
// then the same section replayed from that raw block.
static void ExpectRoundTrip(const std::string& name, bool japanese, bool asUtf8) {
    CpuidInfo = CpuidInfoRecord();
    ReportContext context = {};
    std::string section = ProcessorSectionText(japanese, &context);
    std::string raw = SectionText(WriteCpuidRawSection, japanese, &context);
    ASSERT_EQ(0u, raw.find(japanese ? "\r\n\r\n[CPUID生データ]\r\nCPU 0:\r\n   0x00000000 0x00: eax="
                                    : "\r\n\r\n[CPUID Raw Data]\r\nCPU 0:\r\n   0x00000000 0x00: eax="))
        << name;
    std::string saved = "VORLEX.LIB ver.5.24.05" + section + "\r\n\r\n[Other]\r\nx" + raw + "\r\n";
    char error[160] = "";
    ASSERT_TRUE(ReplayCpuidText((asUtf8 ? Utf8FromCodePage932(saved) : saved).c_str(), error, sizeof error))
        << name << ": " << error;
    CpuidInfo = CpuidInfoRecord();
    EXPECT_EQ(WithoutCpuCounts(section), WithoutCpuCounts(ProcessorSectionText(japanese))) << name;
}

TEST_F(ModernCpu, TheRawBlockReplaysToTheSameSection) {
    ProcessorSwap processor;
    std::vector<std::string> names = RecordedDumps();
    for (size_t i = 0; i < names.size(); ++i) {
        char error[160] = "";
        ASSERT_TRUE(ReplayCpuidDump(WideOf(TestDataPath(names[i])).c_str(), error, sizeof error)) << error;
        ExpectRoundTrip(names[i], i % 2 == 1, i % 4 == 3);
    }
    Processor = LiveProcessor;
    ExpectRoundTrip("this machine (English)", false, false);
    Processor = LiveProcessor;
    ExpectRoundTrip("this machine (Japanese)", true, false);
}

// One `cpuid -r` line.
static std::string L(uint32_t leaf, uint32_t sub, uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0) {
    char line[96];
    snprintf(line, sizeof line, "   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x\n", leaf, sub, a, b, c, d);
    return line;
}
static std::string Intel(uint32_t maxLeaf) {
    return L(0, 0, maxLeaf, 0x756e6547, 0x6c65746e, 0x49656e69) + L(1, 0, 0x906a3);
}
static std::string Amd(uint32_t maxLeaf, uint32_t maxExtended, uint32_t ext1Ecx) {
    return L(0, 0, maxLeaf, 0x68747541, 0x444d4163, 0x69746e65) + L(1, 0, 0xa60f12) + L(0x80000000, 0, maxExtended) +
           L(0x80000001, 0, 0, 0, ext1Ecx);
}
static const uint32_t L1Data64Way = 0x0FC0003F;  // EBX: 64 ways, 1 partition, 64-byte lines

TEST_F(ModernCpu, SyntheticRegistersForWhatTheDumpsLack) {
    struct Case {
        const char* what;
        std::string dump;
        std::vector<std::string> present, absent;  // in the English section
    };
    const Case cases[] = {
        {"fully associative L1, a skipped type-4 entry, then an L2",
         "CPU 0:\n" + Intel(4) + L(4, 0, 0x221, L1Data64Way) + L(4, 1, 0x24, L1Data64Way) +
             L(4, 2, 0x43, 0x03C0003F, 1023) + L(4, 3, 0),
         {"\r\n\r\n[Cache Parameters]\r\nL1 Data       :4 KB, fully associative, 64-byte line\r\n"
          "L2 Unified    :1024 KB, 16-way, 64-byte line\r\n\r\n"},
         {"L1 Unified"}},
        {"leaf 7 sub-leaf 1 is read when sub-leaf 0 counts it",
         "CPU 0:\n" + Intel(7) + L(7, 0, 1, 1, 0, 1 << 4) + L(7, 1, 1 << 4),
         {"\r\n 0-FSGSBASE                        :1   0-PREFETCHWT1                     :0",
          "\r\n 0-Reserved                        :0   0-SHA512                          :0",
          "\r\n 4-FSRM                            :1   4-AVX-VNNI                        :1"},
         {}},
        {"leaf 7 sub-leaf 1 is left alone when sub-leaf 0 does not count it",
         "CPU 0:\n" + Intel(7) + L(7, 0, 0) + L(7, 1, 1 << 4),
         {"\r\n 4-FSRM                            :0   4-AVX-VNNI                        :0"},
         {}},
        {"a core type other than Core and Atom",
         "CPU 0:\n" + Intel(0x1A) + L(4, 0, 0x121, L1Data64Way, 0) + L(7, 0, 0, 0, 0, 1 << 15) + L(0x1A, 0, 0x40000001) +
             "CPU 1:\n" + Intel(0x1A) + L(4, 0, 0x121, 0x01C0003F, 63) + L(7, 0, 0, 0, 0, 1 << 15) + L(0x1A, 0, 0x10000001) +
             "CPU 2:\n" + Intel(0x1A) + L(7, 0, 0, 0, 0, 1 << 15) + L(0x1A, 0, 0x40000001),
         {"\r\nLogical CPUs  :3\r\nCore Types    :2 Core + 1 Type 10h\r\n",
          "\r\nL1 Data       :4 KB, 64-way, 64-byte line [Core]\r\nL1 Data       :32 KB, 8-way, 64-byte line [Type 10h]\r\n"},
         {}},
        {"AMD lists its caches in 8000001Dh only with the topology extensions bit",
         "CPU 0:\n" + Amd(0xD, 0x8000001D, 1 << 22) + L(4, 0, 0x121, L1Data64Way) + L(0x8000001D, 0, 0x163, 0x03C0003F, 8191),
         {"\r\n\r\n[Cache Parameters]\r\nL3 Unified    :8192 KB, 16-way, 64-byte line\r\n"},
         {"\r\nL1 Data       :"}},
        {"AMD without the bit", "CPU 0:\n" + Amd(0xD, 0x8000001D, 0) + L(4, 0, 0x121, L1Data64Way) +
                                    L(0x8000001D, 0, 0x163, 0x03C0003F, 8191),
         {"\r\nLogical CPUs  :1\r\n"},
         {"[Cache Parameters]", "Core Types"}},
        {"AMD with the bit but no 8000001Dh", "CPU 0:\n" + Amd(0xD, 0x80000008, 1 << 22) +
                                                  L(0x8000001D, 0, 0x163, 0x03C0003F, 8191),
         {},
         {"[Cache Parameters]"}},
    };
    ProcessorSwap processor;
    for (const Case& c : cases) {
        char error[160] = "";
        ASSERT_TRUE(ReplayCpuidText(c.dump.c_str(), error, sizeof error)) << c.what << ": " << error;
        CpuidInfo = CpuidInfoRecord();
        std::string text = ProcessorSectionText(false);
        for (const std::string& piece : c.present) EXPECT_NE(std::string::npos, text.find(piece)) << c.what << "\n" << text;
        for (const std::string& piece : c.absent) EXPECT_EQ(std::string::npos, text.find(piece)) << c.what;
    }
    // The Japanese fully associative cache line; the Japanese layout of a
    // cache line, and the raw block of the hybrid case: CPU 0 and the
    // first CPU of the other type.
    ASSERT_TRUE(ReplayCpuidText(cases[0].dump.c_str(), NULL, 0));
    CpuidInfo = CpuidInfoRecord();
    EXPECT_NE(std::string::npos, ProcessorSectionText(true).find("\r\nL1データ      :4 KB, フルアソシアティブ, "
                                                                 "64バイトライン\r\n"));
    ASSERT_TRUE(ReplayCpuidText(cases[3].dump.c_str(), NULL, 0));
    CpuidInfo = CpuidInfoRecord();
    ReportContext context = {};
    EXPECT_NE(std::string::npos, ProcessorSectionText(true, &context).find("\r\nL1データ      :32 KB, 8ウェイ, "
                                                                           "64バイトライン [Type 10h]"));
    std::string raw = SectionText(WriteCpuidRawSection, false, &context);
    EXPECT_NE(std::string::npos, raw.find("\r\nCPU 1:\r\n   0x00000000 0x00:"));
    EXPECT_EQ(std::string::npos, raw.find("\r\nCPU 2:"));
}

TEST(CpuidReplayText, BadInputNamesItsLineAndChangesNothing) {
    const struct {
        std::string text, error;
    } cases[] = {
        {"hello\n", "line 1: not a line of"},
        {"CPU 0:\n" + L(0, 0, 1) + "   0x00000001 0x00: eax=0x1 ebx=zz\n", "line 3: not a line of"},
        {"CPUID 0000000: 00000001-00000000-00000000-00000000\n", "line 1: not a line of"},
        {"report\r\n\r\n[CPUID Raw Data]\r\nCPU 0:\r\n" + L(0, 0, 1) + "garbage\r\n", "line 6: not a line of"},
        {"CPU 0:\n" + std::string(300, ' ') + "\n", "line 2: too long"},
        {"", "no CPUID leaves"},
        {"CPU 0:\nCPU 1 x:\n", "line 2: not a line of"},
        // Arrays sized by line count would ask for some 870 MB here.
        {std::string(31 << 20, '\n') + "garbage\n", "line 32505857: not a line of"},
    };
    ScopedSwap<ProcessorAccess> live(Processor, LiveProcessor);
    for (const auto& c : cases) {
        char error[160] = "";
        EXPECT_FALSE(ReplayCpuidText(c.text.c_str(), error, sizeof error)) << c.text.substr(0, 80);
        EXPECT_EQ(0u, std::string(error).find(c.error)) << error;
    }
    EXPECT_FALSE(ReplayCpuidText("hello\n", NULL, 0));
    char canary[] = "abc";
    FormatWholeCharacters(canary + 1, 0, "%s", "longer than nothing");
    EXPECT_STREQ("abc", canary) << "size 0 writes nothing";
    EXPECT_EQ(LiveProcessor.cpuidOn, Processor.cpuidOn) << "a failed replay leaves the live processor in place";
}

// A pipe or a device has no size to read it by.
TEST(CpuidReplayText, InputsThatAreNoFilesSaySo) {
    HANDLE pipe = CreateNamedPipeA("\\\\.\\pipe\\swaypix-cpuid-dump", PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 4096,
                                   4096, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    for (const char* path : {"\\\\.\\pipe\\swaypix-cpuid-dump", "NUL"}) {
        char error[160] = "";
        EXPECT_FALSE(ReplayCpuidDump(WideOf(path).c_str(), error, sizeof error));
        EXPECT_EQ(std::string(path) + " cannot be read as a file", error);
    }
    CloseHandle(pipe);
}

// The layouts as users send them: line ends of every kind, and published
// dumps under a "CPU ...:" line, with blanks for dashes or before the colon.
TEST(CpuidReplayText, EveryShapeOfDumpReplaysEveryLeaf) {
    ProcessorSwap processor;
    const std::string raw = "CPU 0:\n" + Intel(7) + L(7, 0, 0, 0x29) + "CPU 1:\n" + Intel(7) + L(7, 0, 0, 0x29);
    std::string lonelyCr = raw, crlf;
    std::replace(lonelyCr.begin(), lonelyCr.end(), '\n', '\r');
    for (char c : raw) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const char* published = "CPUID 00000000: 00000007-756E6547-6C65746E-49656E69\n"
                            "CPUID 00000001: 000906A3-00000000-00000000-00000000\n"
                            "CPUID 00000007: 00000000-00000029-00000000-00000000\n";
    std::string spaced = published, beforeColon = published;
    std::replace(spaced.begin(), spaced.end(), '-', ' ');
    for (size_t at = 0; (at = beforeColon.find(':', at)) != std::string::npos; at += 2) beforeColon.insert(at, " ");
    const struct {
        const char* what;
        std::string text;
        unsigned cpus;
    } cases[] = {
        {"lone CR", lonelyCr, 2},
        {"CRLF", crlf, 2},
        {"opened by a line of CPU and a colon", std::string("CPU Info:\n") + published, 1},
        {"blanks for dashes", spaced, 1},
        {"a blank before the colon", beforeColon, 1},
        {"under a CPU 0: line", "CPU 0:\n" + spaced + published, 2},
    };
    for (const auto& c : cases) {
        char error[160] = "";
        ASSERT_TRUE(ReplayCpuidText(c.text.c_str(), error, sizeof error)) << c.what << ": " << error;
        EXPECT_EQ(c.cpus, Processor.cpuCount()) << c.what;
        CpuidRegisters leaf1, leaf7;
        Processor.cpuidOn(c.cpus - 1, 1, 0, &leaf1);
        Processor.cpuidOn(c.cpus - 1, 7, 0, &leaf7);
        EXPECT_EQ(0x906a3u, leaf1.eax) << c.what;
        EXPECT_EQ(0x29u, leaf7.ebx) << c.what;
    }
}

// Far more CPUs and bytes than the biggest servers' dumps: every CPU is
// kept and counted.
TEST(CpuidReplayText, ThousandsOfCpusAndMegabytes) {
    ProcessorSwap processor;
    std::string dump;
    const unsigned cpus = 1100;
    for (unsigned cpu = 0; cpu < cpus; ++cpu) {
        dump += "CPU " + std::to_string(cpu) + ":\n" + Intel(0x1A) + L(7, 0, 0, 0, 0, 1 << 15) +
                L(0x1A, 0, cpu % 3 ? 0x20000001 : 0x40000001);
        for (uint32_t filler = 0; filler < 200; ++filler) dump += L(0x40000000 + filler, 0, cpu);
    }
    ASSERT_GT(dump.size(), 16u << 20);
    char error[160] = "";
    ASSERT_TRUE(ReplayCpuidText(dump.c_str(), error, sizeof error)) << error;
    CpuidInfo = CpuidInfoRecord();
    std::string text = ProcessorSectionText(false);
    EXPECT_EQ("1100", LineAfter(text, "Logical CPUs  :"));
    EXPECT_EQ("367 Core + 733 Atom", LineAfter(text, "Core Types    :"));
    CpuidRegisters last;
    Processor.cpuidOn(cpus - 1, 0x400000C7, 0, &last);
    EXPECT_EQ(cpus - 1, last.eax) << "the last CPU's last leaf";
}

// This machine as Wine shows it: Windows counts what Linux counts, and
// pinning the thread for each CPUID leaves its mask as it was.
TEST(LiveCpu, LogicalCpusAgreeWithLinuxAndTheThreadIsRestored) {
    ScopedSwap<ProcessorAccess> live(Processor, LiveProcessor);
    ReportContext context = {};
    HANDLE thread = GetCurrentThread();
    DWORD_PTR process = 0, system = 0;
    ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &process, &system));
    SetThreadAffinityMask(thread, process);
    std::string text = ProcessorSectionText(false, &context) + SectionText(WriteCpuidRawSection, false, &context);
    EXPECT_EQ(process, SetThreadAffinityMask(thread, process));
    std::string line = LineAfter(text, "Logical CPUs  :");
    unsigned count = 0, cores = 0, packages = 0;
    int fields = sscanf(line.c_str(), "%u (%u cores, %u packages)", &count, &cores, &packages);
    EXPECT_EQ((unsigned)atoi(RunLinuxCommand("nproc").c_str()), count) << line;
    if (fields == 3) {
        EXPECT_LE(packages, cores) << line;
        EXPECT_LE(cores, count) << line;
    }
}
