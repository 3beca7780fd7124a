// The report driver: language rule, banner, order and end of the text,
// the two failure messages and the hand-over, driven through a section
// list of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "about/product_title.h"
#include "envreport/other_info_section.h"
#include "envreport/registry_values.h"
#include "envreport/report_driver.h"
#include "envreport/report_failure.h"
#include "envreport/report_language.h"
#include "envreport/report_memory.h"
#include "tests/support/report_section.h"
#include "tests/support/scoped_swap.h"

static const char Banner[] = "VORLEX.LIB ver.5.24.05 [Jun  6 2012](ANSI)";

// The text of a returned block; the block is freed.
static std::string TakeReport(HGLOBAL block) {
    if (!block) return "(no block)";
    EXPECT_EQ(0u, GlobalFlags(block) & GMEM_DISCARDED);
    const char* text = (const char*)GlobalLock(block);
    std::string result = text ? text : "(unlockable)";
    EXPECT_EQ(result.size() + 1, GlobalSize(block)) << "exactly length + 1 bytes";
    GlobalUnlock(block);
    GlobalFree(block);
    return result;
}

static void LanguageSection(ReportBuffer& report, ReportContext&) {
    report.Append(Pick("|ja", "|en"));
}

static void OutOfMemorySection(ReportBuffer& report, ReportContext&) {
    report.Append("|written");
    // As a section does when the registry string it needs cannot be had.
    HKEY key = OpenRegKeyForQuery(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion");
    {
        ScopedSwap<ReportMemoryAccess> failing(ReportMemory, {[](void*, size_t) -> void* { return NULL; }});
        EXPECT_EQ(NULL, ReadRegString(key, "ProductName"));
    }
    RegCloseKey(key);
    report.Append("|after the failure");
}

static void OtherErrorSection(ReportBuffer& report, ReportContext&) {
    report.Append("|written");
    FailReport(ReportFailedOtherwise);
    FailReport(ReportOutOfMemory);  // the first failure stands
    report.Append("|after the failure");
}

static void NeverReachedSection(ReportBuffer& report, ReportContext&) {
    report.Append("|after");
}

static void ArchitectureSection(ReportBuffer& report, ReportContext& context) {
    report.AppendFormat("|%u", (unsigned)context.system.dwNumberOfProcessors);
}

class ReportDriver : public ::testing::Test {
protected:
    ScopedSwap<ReportSectionList> sections{ReportSections};
    ScopedSwap<ReportMemoryAccess> memory{ReportMemory};
    template <size_t N>
    void Use(const ReportSection (&sections)[N]) {
        ReportSections.sections = sections;
        ReportSections.count = N;
    }
};

TEST_F(ReportDriver, TheLow28BitsOfTheSelectorChooseEnglish) {
    static const ReportSection sections[] = {LanguageSection};
    Use(sections);
    struct {
        DWORD selector;
        const char* tail;
    } cases[] = {{0, "|ja"}, {1, "|en"}, {0xF0000000, "|ja"}, {0xF0000001, "|en"}, {0x08000000, "|en"}};
    for (auto& c : cases) {
        EXPECT_EQ(std::string(Banner) + c.tail + "\r\n", TakeReport(BuildEnvironmentReport(c.selector, "")))
            << std::hex << c.selector;
    }
}

TEST_F(ReportDriver, SectionsSeeTheSystemSnapshotInOrder) {
    static const ReportSection sections[] = {ArchitectureSection, LanguageSection};
    Use(sections);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    EXPECT_EQ(std::string(Banner) + "|" + std::to_string(system.dwNumberOfProcessors) + "|en\r\n",
              TakeReport(BuildEnvironmentReport(1, "")));
}

TEST_F(ReportDriver, OutOfMemoryReplacesTheWholeText) {
    static const ReportSection sections[] = {OutOfMemorySection, NeverReachedSection};
    Use(sections);
    EXPECT_EQ("メモリ不足により処理を中断しました。", TakeReport(BuildEnvironmentReport(0, "")));
    EXPECT_EQ("Out of memory.", TakeReport(BuildEnvironmentReport(1, "")));
}

TEST_F(ReportDriver, AnyOtherFailureIsAppendedToWhatWasWritten) {
    static const ReportSection sections[] = {OtherErrorSection, NeverReachedSection};
    Use(sections);
    EXPECT_EQ(std::string(Banner) + "|written" + "メモリ不足以外のエラーが発生したため、処理を中断しました。",
              TakeReport(BuildEnvironmentReport(0, "")));
    EXPECT_EQ(std::string(Banner) + "|written[error]", TakeReport(BuildEnvironmentReport(1, "")));
}

TEST_F(ReportDriver, AFailedFirstBlockGivesAOneByteEmptyText) {
    ReportMemory.reallocate = [](void*, size_t) -> void* { return NULL; };
    HGLOBAL block = BuildEnvironmentReport(1, "");
    ASSERT_TRUE(block != NULL);
    EXPECT_EQ(1u, GlobalSize(block));
    EXPECT_EQ("", TakeReport(block));
}

// The program's own list: the banner, then the other-information section
// last, then the final line break.
TEST_F(ReportDriver, TheProgramReportEndsWithTheOtherInformation) {
    ProductVersionTexts texts = {};
    strcpy(texts.fileVersion, "2.1.5.3");
    strcpy(texts.specialBuild, " ");
    strcpy(texts.privateBuild, "2012/07/08");
    char clientLine[ProductTitleLineSize];
    FormatProductTitleLine(clientLine, "SWAYPIX", texts, false);
    std::string report = TakeReport(BuildEnvironmentReport(1, clientLine));
    EXPECT_EQ(0u, report.find(Banner)) << report;
    size_t other = report.find("\r\n[Other Information]\r\nClient        :SWAYPIX ver.2.15.03  [2012/07/08] (x86) \r\n"
                               "Time/Data     :");
    ASSERT_NE(std::string::npos, other) << report;
    EXPECT_EQ(report.find("\r\n\r\n\r\n[CPUID Raw Data]\r\n"), report.find("\r\n", report.rfind("Diff from UTC :")))
        << "the raw CPUID block follows the other information";
    EXPECT_TRUE(EndsWithRawCpuidBlock(report)) << report.substr(report.size() - 200);
    report = TakeReport(BuildEnvironmentReport(0, ""));
    EXPECT_NE(std::string::npos, report.find("\r\n[その他]\r\nクライアント  :\r\n日付時刻      :")) << report;
}

TEST(UtcOffset, OnlyANegativeBiasGetsThePlusSign) {
    struct {
        long bias;
        const char* text;
    } cases[] = {{-540, "+09:00"}, {-330, "+05:30"}, {210, "-03:30"}, {0, "-00:00"},
                 {-60, "+01:00"},  {-765, "+12:45"}, {720, "-12:00"}, {-2147483647L - 1, "+35791394:08"}};
    for (auto& c : cases) {
        char text[16];
        FormatUtcOffset(c.bias, text);
        EXPECT_STREQ(c.text, text) << c.bias;
    }
}
