// The processor part and the raw block of every recorded dump as the
// report tool replays it, both languages, byte for byte as kept in
// tests/data/cpuid-golden. UPDATE_GOLDEN=1 rewrites the files instead, so
// that git diff shows what a change did to the report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/console_capture.h"
#include "tests/support/processor_report.h"
#include "tests/support/program_driver.h"
#include "tests/support/test_files.h"

struct GoldenLanguage {
    const char* option;
    const char* extension;
    const char* processorCount;  // the line of this machine's own count, left out
    const char* nextHeading;     // ends the processor part
    const char* rawHeading;
};
static const GoldenLanguage Languages[] = {
    {"--english", ".en.txt", "\r\nNumber of CPU:", "\r\n\r\n[Operating System]", "\r\n\r\n[CPUID Raw Data]"},
    {"", ".ja.txt", "\r\nプロセッサ数  :", "\r\n\r\n[オペレーティングシステム]", "\r\n\r\n[CPUID生データ]"},
};

static std::string ProcessorPartAndRawBlock(const std::string& report, const GoldenLanguage& language) {
    size_t start = report.find("\r\n\r\n"), end = report.find(language.nextHeading);
    size_t raw = report.find(language.rawHeading);
    if (start == std::string::npos || end == std::string::npos || raw == std::string::npos) return report;
    std::string part = report.substr(start, end - start);
    size_t count = part.find(language.processorCount);
    if (count != std::string::npos) part.erase(count, part.find("\r\n", count + 2) - count);
    return part + report.substr(raw);
}

TEST(CpuGolden, TheToolsReplayOfEveryDumpIsTheGoldenByteForByte) {
    std::vector<std::string> dumps = RecordedDumps();
    ASSERT_EQ(28u, dumps.size());
    bool update = getenv("UPDATE_GOLDEN") != NULL;
    for (const std::string& dump : dumps) {
        size_t name = dump.find('\\') + 1;
        std::string stem = "cpuid-golden\\" + dump.substr(name, dump.rfind('.') - name);
        for (const GoldenLanguage& language : Languages) {
            CapturedRun run = RunCapturing("\"" + BuiltProgramPath("swaypix-report.exe") + "\" --no-clock " +
                                           language.option + " --cpuid \"" + TestDataPath(dump) + "\"");
            ASSERT_EQ(0u, run.exitCode) << dump << ": " << run.err;
            std::string path = TestDataPath(stem + language.extension);
            std::string now = ProcessorPartAndRawBlock(run.out, language), golden = ReadTextFile(path);
            if (update) {
                EXPECT_TRUE(WriteTextFile(path, now)) << path;
                continue;
            }
            EXPECT_TRUE(golden == now) << path << " differs: UPDATE_GOLDEN=1 rewrites it, git diff shows how";
        }
    }
}
