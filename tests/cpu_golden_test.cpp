// The processor part of the report of every recorded dump, as it was
// before the section learnt today's processors (both languages, code page
// 932, CRLF, the host's own processor-count line left out): every one of
// those lines must still be there, unchanged and in order; new lines may
// only come in between.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_replay.h"
#include "tests/support/processor_report.h"
#include "tests/support/test_files.h"

static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at <= text.size();) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The first golden line missing from `now` in order, or "" when all are.
static std::string FirstMissingLine(const std::string& golden, const std::string& now) {
    std::vector<std::string> have = Lines(now);
    size_t next = 0;
    for (const std::string& line : Lines(golden)) {
        while (next < have.size() && have[next] != line) ++next;
        if (next == have.size()) return line.empty() ? "(blank line)" : line;
        ++next;
    }
    return "";
}

TEST(CpuGolden, EveryClassicLineOfEveryDumpStaysInPlace) {
    ProcessorSwap processor;
    std::vector<std::string> names = DumpNames();
    ASSERT_EQ(21u, names.size());
    for (const std::string& name : names) {
        std::string stem = name.substr(0, name.size() - 4);
        char error[160] = "";
        ASSERT_TRUE(ReplayCpuidDump(TestDataPath("cpuid\\" + name).c_str(), error, sizeof error)) << error;
        for (bool japanese : {false, true}) {
            std::string golden = ReadTextFile(TestDataPath("cpuid-golden\\" + stem + (japanese ? ".ja.txt" : ".en.txt")));
            ASSERT_GT(golden.size(), 100u) << stem;
            CpuidInfo = CpuidInfoRecord();
            std::string now = ProcessorSectionText(japanese);
            EXPECT_EQ("", FirstMissingLine(golden, now)) << stem << (japanese ? " (ja)" : " (en)");
        }
    }
}
