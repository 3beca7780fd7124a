// The CPUID replay fed mutated real dumps of every layout and saved
// reports, each ending at an inaccessible page: every input must give a
// report or the clean error, in time, without a fault; the file path
// must agree with the text path. Failing inputs are kept and replayed on
// every run. Last, the harness's own tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_raw_section.h"
#include "envreport/cpu/cpuid_replay.h"
#include "tests/support/console_capture.h"
#include "tests/support/fault_trap.h"
#include "tests/support/fuzz_run.h"
#include "tests/support/input_mutations.h"
#include "tests/support/processor_report.h"
#include "tests/support/program_driver.h"
#include "tests/support/report_section.h"
#include "tests/support/test_files.h"
#include "tests/support/wait.h"

// What the text, or the file, replays to: the processor section and the
// raw block, as a saved report holds them.
struct ReplayRun {
    GuardedBytes text;
    const char* path;  // the file to replay instead of the text, or NULL
    bool japanese;
    bool replayed;
    char error[200];
    std::string report;
};

// The raw block reads what the section put in the context.
static std::string ReportOfTheReplay(bool japanese) {
    CpuidInfo = CpuidInfoRecord();
    ReportContext context = {};
    std::string report = ProcessorSectionText(japanese, &context);
    return report + SectionText(WriteCpuidRawSection, japanese, &context);
}

static void ReplayAndReport(void* context) {
    ReplayRun* run = (ReplayRun*)context;
    run->replayed = run->path ? ReplayCpuidDump(WideOf(run->path).c_str(), run->error, sizeof run->error)
                              : ReplayCpuidText(run->text.data, run->error, sizeof run->error);
    if (run->replayed) run->report = ReportOfTheReplay(run->japanese);
}

// "line N: ..." or the one error of a text without leaves.
static bool IsCleanError(const char* error) {
    unsigned line;
    char colon = 0;
    return sscanf(error, "line %u%c", &line, &colon) == 2 ? colon == ':'
                                                          : strcmp(error, "no CPUID leaves in the dump") == 0;
}

static std::string ReplayedReport(const std::string& text, bool japanese, std::string* failure) {
    ReplayRun run = {};
    run.japanese = japanese;
    run.text = PlaceBeforeGuardPage(text.substr(0, text.find('\0')) + '\0');
    Processor = LiveProcessor;
    char fault[120];
    if (!run.text.data) *failure = "no guarded pages for the input";
    else if (!RunWatched(text, ReplayAndReport, &run, fault, sizeof fault)) *failure = fault;
    // The raw block follows what the section read: nothing without a
    // signature in leaf 1.
    else if (run.replayed && EndsWithRawCpuidBlock(run.report + "\r\n") != (CpuidInfo.signature != 0))
        *failure = "the raw block does not follow the section";
    else if (!run.replayed && !IsCleanError(run.error)) *failure = std::string("not the clean error: ") + run.error;
    else if (!run.replayed && Processor.cpuidOn != LiveProcessor.cpuidOn) *failure = "a failed replay changed the processor";
    return run.replayed ? run.report : std::string("error: ") + run.error;
}

// The same input through the file, trapped and watched alike: NUL bytes
// make it binary, otherwise the verdict and the report must be those of
// the text. The replay maps the file, so its text is followed by zeros to
// the page's end and then, unless the mapping fills its 64 KB block
// whole, by memory nothing maps, which faults as a guard page does.
static void ExpectTheFileToAgree(const std::string& input, const std::string& fromText, std::string* failure) {
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    wsprintfA(path, "%sswaypix-fuzz-%lu.txt", folder, GetCurrentProcessId());
    ASSERT_TRUE(WriteTextFile(path, input)) << path;
    ReplayRun run = {};
    run.path = path;
    Processor = LiveProcessor;
    char fault[120];
    bool clean = RunWatched(input, ReplayAndReport, &run, fault, sizeof fault);
    DeleteFileA(path);
    std::string fromFile = run.replayed ? run.report : run.error;
    bool binary = input.find('\0') != std::string::npos;
    if (!clean)
        *failure = std::string("through the file: ") + fault;
    else if (binary && (run.replayed || fromFile.find("holds binary data") == std::string::npos))
        *failure = "the file path read binary data: " + fromFile;
    else if (!binary && fromFile != (run.replayed ? fromText : fromText.substr(7)))
        *failure = "the file path disagrees: " + fromFile.substr(0, 200);
}

// The recorded dumps of both layouts, then a saved report of each: in
// English, in Japanese as code page 932 and as UTF-8.
static std::vector<std::string> SeedInputs() {
    std::vector<std::string> seeds;
    for (const std::string& dump : RecordedDumps()) seeds.push_back(ReadTextFile(TestDataPath(dump)));
    size_t dumps = seeds.size();
    for (size_t i = 0; i < dumps; ++i) {
        std::string failure;
        std::string report = ReplayedReport(seeds[i], i % 3 != 0, &failure);
        EXPECT_EQ("", failure) << "seed " << i;
        std::string saved = "Environment report\r\n" + report + "\r\n";
        seeds.push_back(i % 3 == 2 ? Utf8FromCodePage932(saved) : saved);
    }
    return seeds;
}

// What one input must come to; empty when it did.
static std::string FailureOf(const std::string& input, bool throughFile) {
    std::string failure;
    std::string fromText = ReplayedReport(input, false, &failure);
    if (failure.empty() && throughFile) ExpectTheFileToAgree(input, fromText, &failure);
    return failure;
}

class CpuidFuzz : public ::testing::Test {
protected:
    HangWatch watch{20000, "cpuid", ".txt"};
    ProcessorSwap processor;
};

TEST_F(CpuidFuzz, MutatedDumpsAndReportsEndInAReportOrTheCleanError) {
    std::vector<std::string> seeds = SeedInputs();
    ASSERT_EQ(56u, seeds.size());
    FuzzRandom random = SeededRandom(1);
    FuzzBudget budget = BudgetOf(5000, 0.6);
    unsigned done = 0, replayed = 0;
    DWORD start = GetTickCount();
    for (; BudgetLeft(budget, done); ++done) {
        std::string input = seeds[RandomBelow(random, seeds.size())];
        MutateText(random, input, seeds);
        std::string failure = FailureOf(input, done % 16 == 0);
        if (!failure.empty()) {
            ADD_FAILURE() << failure << "\nkept as " << KeepFailingInput("cpuid", ".txt", input);
            break;
        }
        replayed += Processor.cpuidOn != LiveProcessor.cpuidOn;
    }
    printf("%u mutated CPUID inputs in %lu ms, %u of them replayed\n", done, GetTickCount() - start, replayed);
    EXPECT_GT(replayed, done / 10) << "the mutations leave most inputs readable";
}

// The real dumps and reports read the same whatever their line ends, and
// from a file that fills its last page whole, where the file's view has
// no room left for the closing NUL.
TEST_F(CpuidFuzz, EverySeedReadsTheSameInEveryLineEndAndFromAWholePage) {
    for (const std::string& seed : SeedInputs()) {
        std::string failure;
        std::string report = ReplayedReport(WithLineEnds(seed, "\n"), false, &failure);
        ASSERT_EQ("", failure);
        for (const char* lineEnd : {"\r", "\r\n"}) {
            EXPECT_EQ(report, ReplayedReport(WithLineEnds(seed, lineEnd), false, &failure)) << seed.substr(0, 80);
            EXPECT_EQ("", failure);
        }
        std::string wholePages = seed + std::string(4096 - seed.size() % 4096, '\n');
        ExpectTheFileToAgree(wholePages, ReplayedReport(wholePages, false, &failure), &failure);
        EXPECT_EQ("", failure) << seed.substr(0, 80);
    }
}

TEST_F(CpuidFuzz, KeptInputsEndInAReportOrTheCleanError) {
    for (const std::string& path : KeptInputs("cpuid")) EXPECT_EQ("", FailureOf(ReadTextFile(path), true)) << path;
}

static void ReadOnePastTheEnd(void* context) {
    const GuardedBytes* bytes = (const GuardedBytes*)context;
    *(volatile char*)&bytes->data[bytes->size - 1] = bytes->data[bytes->size];
}

static void HangForEver(void*) {
    for (;;) Sleep(1000);
}

// Under Wine as under Windows: else the runs above would find nothing.
TEST_F(CpuidFuzz, AReadPastTheInputsEndIsTrapped) {
    GuardedBytes bytes = PlaceBeforeGuardPage("CPU 0:\n");
    ASSERT_TRUE(bytes.data != NULL);
    char fault[120] = "";
    // The emulator here reports the read as an illegal instruction, not
    // as an access violation.
    EXPECT_FALSE(RunWatched("CPU 0:\n", ReadOnePastTheEnd, &bytes, fault, sizeof fault));
    EXPECT_EQ(0u, std::string(fault).find("exception c000")) << fault;
}

// Run by the next test as a program of its own, after a test with a watch
// of another name; the watch ends it.
TEST(FuzzHarness, DISABLED_HangsOnPurpose) {
    HangWatch watch(300, "hang", ".txt");
    char fault[120];
    RunWatched("a hanging input", HangForEver, NULL, fault, sizeof fault);
}

TEST(FuzzHarness, AHangingInputIsKeptUnderItsTestsNameAndEndsTheRun) {
    CapturedRun run = RunCapturing("\"" + BuiltProgramPath("input_fuzz_tests.exe") +
                                   "\" --gtest_also_run_disabled_tests "
                                   "--gtest_filter=CpuidFuzz.AReadPastTheInputsEndIsTrapped:FuzzHarness.DISABLED_*",
                                   EventBoundMs);
    EXPECT_EQ(3u, run.exitCode) << run.out << run.err;
    size_t kept = run.err.find("kept as ");
    ASSERT_NE(std::string::npos, kept) << run.err;
    std::string path = run.err.substr(kept + 8, run.err.find_first_of("\r\n", kept) - kept - 8);
    EXPECT_NE(std::string::npos, path.find("\\hang-")) << path;
    EXPECT_EQ("a hanging input", ReadTextFile(path));
    EXPECT_TRUE(DeleteFileA(path.c_str())) << path;
}
