// The report buffer's exact growth, its failure rules and the debug
// mirror, with a counting allocator injected and a real mirror file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "envreport/report_buffer.h"
#include "envreport/report_failure.h"
#include "envreport/report_memory.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_files.h"

static int ReallocCalls;
static size_t LastReallocSize;
static bool ReallocFails;

static void* CountingRealloc(void* block, size_t size) {
    ++ReallocCalls;
    LastReallocSize = size;
    return ReallocFails ? NULL : realloc(block, size);
}

class ReportBufferTest : public ::testing::Test {
protected:
    ScopedSwap<ReportMemoryAccess> memory{ReportMemory, {CountingRealloc}};
    ReportBuffer buffer = {};
    void SetUp() override {
        ReallocCalls = 0;
        ReallocFails = false;
        ReportFailed = ReportNotFailed;
        SetEnvironmentVariableA("VORLEX_DEBUGOUT", NULL);
    }
    void TearDown() override {
        buffer.Free();
        ReportFailed = ReportNotFailed;
    }
    void FillTo(unsigned length) {
        std::string piece(length - buffer.length, 'x');
        buffer.Append(piece.c_str());
    }
};

TEST_F(ReportBufferTest, InitGivesAZeroedFirstBlock) {
    ASSERT_TRUE(buffer.Init());
    EXPECT_EQ(16384u, buffer.capacity);
    EXPECT_EQ(0u, buffer.length);
    EXPECT_EQ(16385u, LastReallocSize);
    for (unsigned i = 0; i <= buffer.capacity; ++i) ASSERT_EQ('\0', buffer.text[i]) << i;
}

TEST_F(ReportBufferTest, GrowsExactlyAndOnlyBeyondCapacity) {
    ASSERT_TRUE(buffer.Init());
    FillTo(16384);
    EXPECT_EQ(1, ReallocCalls) << "reaching the capacity exactly must not reallocate";
    EXPECT_EQ(16384u, buffer.length);
    EXPECT_EQ('\0', buffer.text[16384]);

    char* grown = buffer.Append("abc");
    ASSERT_TRUE(grown != NULL);
    EXPECT_EQ(2, ReallocCalls);
    EXPECT_EQ(16384u + 3 + 1, LastReallocSize);
    EXPECT_EQ(16387u, buffer.capacity);
    EXPECT_EQ(16387u, buffer.length);
    EXPECT_STREQ("abc", buffer.text + 16384);

    buffer.Append("");
    EXPECT_EQ(2, ReallocCalls);
    EXPECT_EQ(16387u, buffer.length);
}

// A piece that cannot be added fails the report rather than leaving a
// silent hole: nothing after it is taken, even when it would fit.
TEST_F(ReportBufferTest, FailedGrowthKeepsTheTextAndFailsTheReport) {
    ASSERT_TRUE(buffer.Init());
    FillTo(16380);
    buffer.Append("tail");
    ReallocFails = true;
    EXPECT_EQ(NULL, buffer.Append("too long"));
    EXPECT_EQ(ReportOutOfMemory, ReportFailed);
    EXPECT_EQ(16384u, buffer.length);
    EXPECT_EQ(16384u, buffer.capacity);
    EXPECT_STREQ("tail", buffer.text + 16380);
    ReallocFails = false;
    buffer.Append("ok");
    EXPECT_STREQ("tail", buffer.text + 16380);
}

TEST_F(ReportBufferTest, AssignReplacesTheTextAndKeepsALargerBlock) {
    ASSERT_TRUE(buffer.Init());
    buffer.Append("a long first text");
    char* block = buffer.text;
    EXPECT_EQ(block, buffer.Assign("short"));
    EXPECT_EQ(5u, buffer.length);
    EXPECT_EQ(16384u, buffer.capacity);
    EXPECT_STREQ("short", buffer.text);

    std::string big(20000, 'y');
    ASSERT_TRUE(buffer.Assign(big.c_str()) != NULL);
    EXPECT_EQ(20000u, buffer.capacity);
    EXPECT_EQ(20001u, LastReallocSize);
    ReallocFails = true;
    std::string bigger(20001, 'z');
    EXPECT_EQ(NULL, buffer.Assign(bigger.c_str()));
    EXPECT_EQ(big, buffer.text);
}

TEST_F(ReportBufferTest, FailedInitLeavesAnEmptyBufferThatIgnoresPieces) {
    ReallocFails = true;
    EXPECT_FALSE(buffer.Init());
    EXPECT_EQ(NULL, buffer.text);
    EXPECT_EQ(0u, buffer.capacity);
    EXPECT_EQ(NULL, buffer.Append("x"));
    EXPECT_EQ(NULL, buffer.Assign("x"));
    EXPECT_EQ(1, ReallocCalls);
    buffer.Free();
    buffer.Free();
    EXPECT_EQ(0u, buffer.length);
}

TEST_F(ReportBufferTest, FormatsWithWidthsPercentAnd64BitNumbers) {
    ASSERT_TRUE(buffer.Init());
    buffer.AppendFormat("%2d:%02d:%02d|%3d%%|0x%x - |%5I64u|%-4s|%c", 7, 5, 9, 42, 0xBEEF,
                        (unsigned long long)1099511627776ULL, "ab", 'Z');
    EXPECT_STREQ(" 7:05:09| 42%|0xbeef - |1099511627776|ab  |Z", buffer.text);
}

// The mirror file lies in the current directory, so each case runs in a
// folder of its own.
class DebugMirrorTest : public ReportBufferTest {
protected:
    char savedFolder[MAX_PATH];
    std::string folder;
    void SetUp() override {
        ReportBufferTest::SetUp();
        GetCurrentDirectoryA(sizeof savedFolder, savedFolder);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "swaypix-mirror";
        CreateDirectoryA(folder.c_str(), NULL);
        SetCurrentDirectoryA(folder.c_str());
        DeleteFileA("vorlex_debugout.txt");
    }
    void TearDown() override {
        DeleteFileA("vorlex_debugout.txt");
        SetCurrentDirectoryA(savedFolder);
        RemoveDirectoryA(folder.c_str());
        SetEnvironmentVariableA("VORLEX_DEBUGOUT", NULL);
        ReportBufferTest::TearDown();
    }
    std::string Mirror() { return ReadTextFile(folder + "\\vorlex_debugout.txt"); }
    bool MirrorExists() { return GetFileAttributesA("vorlex_debugout.txt") != INVALID_FILE_ATTRIBUTES; }
};

TEST_F(DebugMirrorTest, OnlyTheExactValueOneTurnsItOn) {
    ASSERT_TRUE(buffer.Init());
    const char* offValues[] = {"0", "11", "10", "", " 1", NULL};
    for (const char* value : offValues) {
        SetEnvironmentVariableA("VORLEX_DEBUGOUT", value);
        buffer.Append("piece");
        EXPECT_FALSE(MirrorExists()) << (value ? value : "(unset)");
    }
    SetEnvironmentVariableA("VORLEX_DEBUGOUT", "1");
    buffer.Append("one\r\n");
    buffer.Append("");
    EXPECT_TRUE(MirrorExists()) << "an empty piece still opens the file";
    buffer.Assign("two");
    SetEnvironmentVariableA("VORLEX_DEBUGOUT", "0");
    buffer.Append("three");
    EXPECT_EQ("one\r\ntwo", Mirror());
}

TEST_F(DebugMirrorTest, RunsBeforeGrowthAndAccumulatesAcrossRuns) {
    SetEnvironmentVariableA("VORLEX_DEBUGOUT", "1");
    ASSERT_TRUE(buffer.Init());
    FillTo(16384);
    ReallocFails = true;
    buffer.Append("lost");
    EXPECT_EQ(std::string(16384, 'x') + "lost", Mirror());
    buffer.Free();
    ReallocFails = false;
    ReportFailed = ReportNotFailed;
    ASSERT_TRUE(buffer.Init());
    buffer.Append("again");
    EXPECT_EQ(std::string(16384, 'x') + "lostagain", Mirror());
}

TEST_F(DebugMirrorTest, AFailedInitNeverTouchesTheFile) {
    SetEnvironmentVariableA("VORLEX_DEBUGOUT", "1");
    ReallocFails = true;
    EXPECT_FALSE(buffer.Init());
    buffer.Append("piece");
    EXPECT_FALSE(MirrorExists());
}
