// The lines today's processors add to the processor section, replayed
// from the recorded dumps (one-processor `cpuid -r` files and published
// multi-CPU dumps) and checked against registers read here on their own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_replay.h"
#include "tests/support/processor_report.h"
#include "tests/support/test_files.h"

typedef std::map<std::pair<uint32_t, uint32_t>, CpuidRegisters> CpuLeaves;

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
            cpus.back()[{leaf, sub}] = {r[0], r[1], r[2], r[3]};
        } else if (line.compare(0, 3, "CPU") == 0 && line.find(':') == line.find_last_not_of("\r")) {
            cpus.emplace_back();
        } else if (line.compare(0, 6, "CPUID ") == 0 && line.find_first_not_of("0123456789ABCDEF", 6) == 14 &&
                   sscanf(line.c_str() + 15, "%*[: \t]%8x-%8x-%8x-%8x", &r[0], &r[1], &r[2], &r[3]) == 4) {
            leaf = strtoul(line.c_str() + 6, NULL, 16);
            size_t sl = line.find("[SL ");
            if (sl != std::string::npos) sub = strtoul(line.c_str() + sl + 4, NULL, 16);
            else if (leaf == last.first) sub = last.second + 1;
            if (leaf == 0 && sub == 0) cpus.emplace_back();
            cpus.back()[{leaf, sub}] = {r[0], r[1], r[2], r[3]};
            last = {leaf, sub};
        }
    }
    return cpus;
}

static CpuidRegisters At(const CpuLeaves& cpu, uint32_t leaf, uint32_t sub = 0) {
    auto found = cpu.find({leaf, sub});
    return found == cpu.end() ? CpuidRegisters() : found->second;
}

struct ReplayedDump {
    std::string name;
    std::vector<CpuLeaves> cpus;
    std::string english, japanese;  // the processor section
};

static ReplayedDump Replay(const std::string& relative) {
    ReplayedDump dump;
    dump.name = relative;
    dump.cpus = ReadCpus(ReadTextFile(TestDataPath(relative)));
    char error[160] = "";
    EXPECT_TRUE(ReplayCpuidDump(TestDataPath(relative).c_str(), error, sizeof error)) << relative << ": " << error;
    CpuidInfo = CpuidInfoRecord();
    dump.english = ProcessorSectionText(false);
    CpuidInfo = CpuidInfoRecord();
    dump.japanese = ProcessorSectionText(true);
    UseLiveProcessor();
    return dump;
}

static const char* const PublishedDumps[] = {"amd-k8-winchester.txt", "amd-k10-heka.txt",   "amd-zen4-raphael.txt",
                                             "intel-p4-prescott.txt", "intel-haswell.txt", "intel-ivy-bridge-ep.txt",
                                             "intel-alder-lake.txt"};

static std::vector<ReplayedDump> AllDumps() {
    std::vector<ReplayedDump> dumps;
    for (const std::string& name : DumpNames()) dumps.push_back(Replay("cpuid\\" + name));
    for (const char* name : PublishedDumps) dumps.push_back(Replay(std::string("cpuid-published\\") + name));
    return dumps;
}

class ModernCpu : public ::testing::Test {
protected:
    static std::vector<ReplayedDump>* dumps;
    static void SetUpTestSuite() { dumps = new std::vector<ReplayedDump>(AllDumps()); }
    static void TearDownTestSuite() { delete dumps; }
};
std::vector<ReplayedDump>* ModernCpu::dumps;

TEST_F(ModernCpu, Leaf7TablesFollowTheRegistersOfTheFirstCpu) {
    ASSERT_EQ(28u, dumps->size());
    for (const ReplayedDump& dump : *dumps) {
        ASSERT_FALSE(dump.cpus.empty()) << dump.name;
        const CpuLeaves& cpu = dump.cpus[0];
        CpuidRegisters sub0 = At(cpu, 7), sub1 = sub0.eax >= 1 ? At(cpu, 7, 1) : CpuidRegisters();
        bool hasLeaf7 = At(cpu, 0).eax >= 7;
        EXPECT_EQ(hasLeaf7, dump.english.find("[CPUID Leaf 7") != std::string::npos) << dump.name;
        if (!hasLeaf7) continue;
        for (bool japanese : {false, true}) {
            const std::string& text = japanese ? dump.japanese : dump.english;
            const char* flag = japanese ? "\x8b\x40\x94\x5c\x83\x74\x83\x89\x83\x4f]" : "Feature Flag]";
            std::string pad(japanese ? 10 : 8, ' ');
            CheckFlagTable(text, std::string("\r\n\r\n[CPUID Leaf 7 EBX ") + flag + pad + "[CPUID Leaf 7 ECX " + flag,
                           sub0.ebx, sub0.ecx, dump.name);
            CheckFlagTable(text, std::string("\r\n\r\n[CPUID Leaf 7 EDX ") + flag + pad + "[CPUID Leaf 7.1 EAX " + flag,
                           sub0.edx, sub1.eax, dump.name);
        }
    }
}
