// Every recorded processor dump replayed through the real processor
// section: each line is checked against the registers of the dump, read
// here independently, and the cache, address and AMD L1/TLB figures
// against Debian's cpuid decoder reading the same file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "envreport/cpu/cache_descriptor_table.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_replay.h"
#include "tests/support/linux_tools.h"
#include "tests/support/processor_report.h"
#include "tests/support/test_files.h"

typedef std::map<uint32_t, CpuidRegisters> Leaves;

// Sub-leaf 0 lines of the first CPU block.
static Leaves ReadDump(const std::string& text) {
    Leaves leaves;
    int blocks = 0;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.compare(0, 3, "CPU") == 0 && ++blocks > 1) break;
        unsigned leaf, sub, a, b, c, d;
        if (sscanf(line.c_str(), " 0x%x 0x%x: eax=0x%x ebx=0x%x ecx=0x%x edx=0x%x", &leaf, &sub, &a, &b, &c, &d) == 6 &&
            sub == 0)
            leaves[leaf] = {a, b, c, d};
    }
    return leaves;
}

static std::string Hex(const char* format, unsigned value) {
    char text[64];
    snprintf(text, sizeof text, format, value);
    return text;
}

// The number in parentheses of `field` inside the block whose heading
// holds `block`, in the decoder's output; -1 when absent.
static long DecoderValue(const std::string& decoded, const std::string& block, const std::string& field) {
    size_t at = decoded.find(block);
    if (at == std::string::npos) return -1;
    for (at = decoded.find('\n', at); at != std::string::npos; at = decoded.find('\n', at + 1)) {
        if (decoded.compare(at + 1, 6, "      ") != 0) return -1;  // the block has ended
        if (decoded.compare(at + 7, field.size(), field) != 0) continue;
        size_t open = decoded.find('(', decoded.find('=', at));
        return open == std::string::npos ? -1 : strtol(decoded.c_str() + open + 1, NULL, 0);
    }
    return -1;
}

static std::set<unsigned> DescriptorBytes(const Leaves& leaves) {
    std::set<unsigned> bytes;
    auto leaf2 = leaves.find(2);
    if (leaves.count(0) == 0 || leaves.at(0).eax < 2 || leaf2 == leaves.end()) return bytes;
    const CpuidRegisters& r = leaf2->second;
    uint32_t words[4] = {r.eax, r.ebx, r.ecx, r.edx};
    for (int w = 0; w < 4; ++w)
        for (int i = (w == 0 ? 1 : 0); i < 4; ++i) bytes.insert((words[w] >> (8 * i)) & 0xFF);
    return bytes;
}

static size_t CountOf(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

TEST(CpuidReplay, EveryRecordedProcessorGivesItsOwnSection) {
    ProcessorSwap processor;
    std::vector<std::string> names = DumpNames();
    ASSERT_EQ(21u, names.size());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string dump = ReadTextFile(TestDataPath("cpuid\\" + name));
        Leaves leaves = ReadDump(dump);
        char error[160] = "";
        ASSERT_TRUE(ReplayCpuidDump(WideOf(TestDataPath("cpuid\\" + name)).c_str(), error, sizeof error)) << error;
        CpuidInfo = CpuidInfoRecord();
        std::string report = ProcessorSectionText(false);
        const CpuidRegisters& l0 = leaves[0];
        const CpuidRegisters& l1 = leaves[1];

        char vendor[13] = {};
        memcpy(vendor, &l0.ebx, 4);
        memcpy(vendor + 4, &l0.edx, 4);
        memcpy(vendor + 8, &l0.ecx, 4);
        EXPECT_NE(std::string::npos, report.find(std::string("\r\nVender ID     :\"") + vendor + "\" (")) << report;

        unsigned family = (l1.eax >> 8) & 0xF, model = (l1.eax >> 4) & 0xF;
        char signature[96];
        snprintf(signature, sizeof signature, "\r\nCPUID         :ProcessorType %X Family %X Model %X Stepping %X",
                 (l1.eax >> 12) & 3, family, model, l1.eax & 0xF);
        EXPECT_NE(std::string::npos, report.find(signature));
        unsigned extFamily = (l1.eax >> 20) & 0xFF, extModel = (l1.eax >> 16) & 0xF;
        bool extended = (family == 15 && (extFamily || extModel)) || (family == 6 && extModel);
        EXPECT_EQ(extended, report.find("\r\nExt.CPUID     :") != std::string::npos);

        uint32_t maxExtended = leaves[0x80000000].eax;
        bool hasExtended = (maxExtended >> 16) == 0x8000 && maxExtended > 0x80000000;
        EXPECT_NE(std::string::npos, report.find(Hex("\r\nStd.Functions :00000000h - %08xh", l0.eax)));
        EXPECT_EQ(hasExtended, report.find(Hex("\r\nExt.Functions :80000000h - %08xh", maxExtended)) != std::string::npos);

        if (hasExtended && maxExtended >= 0x80000004) {
            std::string brand;
            for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
                uint32_t words[4] = {leaves[leaf].eax, leaves[leaf].ebx, leaves[leaf].ecx, leaves[leaf].edx};
                brand.append((const char*)words, 16);
            }
            brand = brand.c_str();
            brand.erase(0, brand.find_first_not_of(' ') == std::string::npos ? brand.size() : brand.find_first_not_of(' '));
            EXPECT_EQ(0u, report.find("\r\n\r\n[Processor]\r\nProcessor     :" + brand + "\r\n")) << report;
        }

        // Each listed descriptor once, in table order; no other descriptor line.
        std::set<unsigned> bytes = DescriptorBytes(leaves);
        size_t last = 0;
        for (const CacheDescriptor& row : CacheDescriptorTable) {
            size_t count = CountOf(report, row.line);
            EXPECT_EQ(bytes.count(row.code) ? 1u : 0u, count) << row.line;
            if (count) {
                size_t at = report.find(row.line);
                EXPECT_GT(at, last) << row.line;
                last = at;
            }
        }
        EXPECT_EQ(CountOf(report, "\r\n   ("), [&] {
            size_t known = 0;
            for (const CacheDescriptor& row : CacheDescriptorTable) known += bytes.count(row.code);
            return known;
        }());

        bool amd = strcmp(vendor, "AuthenticAMD") == 0;
        CheckFlagTable(report, amd ? "[CPUID Standard Feature Flag(AMD)      [CPUID Additional Feature Flag(AMD)]"
                                   : "[CPUID Standard Feature Flag]          [CPUID Additional Feature Flag]",
                       l1.edx, l1.ecx, name);
        if (hasExtended && maxExtended > 0x80000001) {
            const char* header = amd ? "[CPUID Extend Feature Flag(AMD)]       [CPUID Additional Extend Feature Flag(AMD)]"
                                 : strcmp(vendor, "GenuineIntel") == 0
                                     ? "[CPUID Extend Feature Flag(Intel)]     [CPUID Additional Extend Feature Flag(Intel)]"
                                     : "[CPUID Extend Feature Flag]            [CPUID Additional Extend Feature Flag]";
            CheckFlagTable(report, header, leaves[0x80000001].edx, leaves[0x80000001].ecx, name);
        } else {
            EXPECT_EQ(std::string::npos, report.find("Extend Feature Flag"));
        }
    }
}

// Figures of the cache, address and AMD blocks as Debian's cpuid decodes
// the same dumps.
TEST(CpuidReplay, CacheAddressAndAmdFiguresAgreeWithTheCpuidDecoder) {
    ProcessorSwap processor;
    int l2Checked = 0, addressChecked = 0, amdChecked = 0;
    for (const std::string& name : DumpNames()) {
        SCOPED_TRACE(name);
        char error[160] = "";
        ASSERT_TRUE(ReplayCpuidDump(WideOf(TestDataPath("cpuid\\" + name)).c_str(), error, sizeof error)) << error;
        CpuidInfo = CpuidInfoRecord();
        std::string report = ProcessorSectionText(false);
        std::string decoded = RunLinuxCommand("cpuid -f " + ShellQuote(TestDataUnixPath("cpuid/" + name)));
        ASSERT_NE(std::string::npos, decoded.find("CPU")) << decoded;

        if (report.find("\r\nL2 Cache size") != std::string::npos) {
            ++l2Checked;
            long size = DecoderValue(decoded, "L2 unified cache information (0x80000006/ecx)", "size (KB)");
            long line = DecoderValue(decoded, "L2 unified cache information (0x80000006/ecx)", "line size (bytes)");
            EXPECT_NE(std::string::npos, report.find("\r\nL2 Cache size           :" + std::to_string(size) + " KB"));
            EXPECT_NE(std::string::npos, report.find("\r\nL2 Cache Line size      :" + std::to_string(line) + " bytes"));
        }
        if (report.find("[Linear/Physical Address size]") != std::string::npos) {
            ++addressChecked;
            const char* block = "Physical Address and Linear Address Size (0x80000008/eax)";
            EXPECT_NE(std::string::npos,
                      report.find("\r\nPhysical Address Bits   :" +
                                  std::to_string(DecoderValue(decoded, block, "maximum physical address bits")) + "\r\n"));
            EXPECT_NE(std::string::npos,
                      report.find("\r\nLinear Address Bits     :" +
                                  std::to_string(DecoderValue(decoded, block, "maximum linear (virtual) address bits"))));
        }
        if (report.find("[TLB Information]") != std::string::npos) {
            ++amdChecked;
            const char* tlb = "4K pages & L1 TLB (0x80000005/ebx)";
            char expected[128];
            snprintf(expected, sizeof expected, "\r\n #Entry       : %-24ld #Entry       : %ld",
                     DecoderValue(decoded, tlb, "data # entries"), DecoderValue(decoded, tlb, "instruction # entries"));
            EXPECT_NE(std::string::npos, report.find(expected)) << expected << report;
            const char* data = "L1 data cache information (0x80000005/ecx)";
            const char* code = "L1 instruction cache information (0x80000005/edx)";
            std::string sizes = " Size         : " + std::to_string(DecoderValue(decoded, data, "size (KB)")) + "KB";
            sizes.resize(40, ' ');
            sizes += " Size         : " + std::to_string(DecoderValue(decoded, code, "size (KB)")) + "KB";
            EXPECT_NE(std::string::npos, report.find("\r\n" + sizes + "\r\n")) << sizes;
            std::string lines = " Line size    : " + std::to_string(DecoderValue(decoded, data, "line size (bytes)")) + "bytes";
            lines.resize(40, ' ');
            lines += " Line size    : " + std::to_string(DecoderValue(decoded, code, "line size (bytes)")) + "bytes";
            EXPECT_NE(std::string::npos, report.find("\r\n" + lines)) << lines;
        }
    }
    EXPECT_GE(l2Checked, 5);
    EXPECT_GE(addressChecked, 5);
    EXPECT_GE(amdChecked, 4);
}

// The shipped table and the recorded descriptor list must never disagree.
TEST(CacheDescriptorTable, EveryRowMatchesTheRecordedDescriptorList) {
    std::string list = ReadTextFile(TestDataPath("leaf2-descriptors.tsv"));
    int row = 0;
    size_t at = 0;
    while (at < list.size()) {
        size_t end = list.find('\n', at);
        std::string line = list.substr(at, end - at);
        at = end == std::string::npos ? list.size() : end + 1;
        if (line.empty() || line[0] == '#') continue;
        ASSERT_LT(row, CacheDescriptorCount);
        size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        std::string code = line.substr(0, tab1), type = "[" + line.substr(tab1 + 1, tab2 - tab1 - 1) + "]";
        std::string description = line.substr(tab2 + 1);
        type.resize(type.size() < 8 ? 8 : type.size() + 1, ' ');
        std::string upper = code;
        for (char& c : upper) c = (char)toupper((unsigned char)c);
        upper.back() = 'h';
        EXPECT_EQ(strtoul(code.c_str(), NULL, 16), CacheDescriptorTable[row].code) << code;
        EXPECT_EQ("\r\n   (" + upper + ") " + type + description, CacheDescriptorTable[row].line);
        if (row > 0) {
            EXPECT_LT(CacheDescriptorTable[row - 1].code, CacheDescriptorTable[row].code);
        }
        ++row;
    }
    EXPECT_EQ(CacheDescriptorCount, row);
}
