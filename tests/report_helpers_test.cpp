// The helpers every report section shares: language pairs, date-time,
// padding, number texts, registry values in the prefix's real registry,
// and the version and common-controls look-ups.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/ansi_text.h"
#include "common/optional_functions.h"
#include "common/system_library.h"
#include "envreport/os/common_controls.h"
#include "envreport/os/windows_version.h"
#include "envreport/registry_values.h"
#include "envreport/report_datetime.h"
#include "envreport/report_failure.h"
#include "envreport/report_language.h"
#include "envreport/report_memory.h"
#include "envreport/report_text.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/synthetic_version.h"

struct DateTimeCase {
    SYSTEMTIME time;  // year, month, weekday, day, hour, minute, second, ms
    const char* japanese;
    const char* english;
};

static const DateTimeCase DateTimeCases[] = {
    {{2026, 12, 2, 8, 12, 5, 9, 0}, "2026/12/ 8(火) 12:05:09", "Tuesday, December 8, 2026 12:05:09"},
    {{2012, 6, 0, 3, 9, 5, 7, 0}, "2012/ 6/ 3(日)  9:05:07", "Sunday, June 3, 2012  9:05:07"},
    {{2026, 12, 2, 8, 1, 2, 3, 0}, "2026/12/ 8(火)  1:02:03", "Tuesday, December 8, 2026  1:02:03"},
    {{1999, 1, 6, 30, 23, 59, 59, 0}, "1999/ 1/30(土) 23:59:59", "Saturday, January 30, 1999 23:59:59"},
    // A record no clock gives: out-of-range names must not be read.
    {{2026, 13, 7, 1, 0, 0, 0, 0}, "2026/13/ 1(?)  0:00:00", "?, ? 1, 2026  0:00:00"},
    {{2026, 0, 65535, 1, 0, 0, 0, 0}, "2026/ 0/ 1(?)  0:00:00", "?, ? 1, 2026  0:00:00"},
};

TEST(ReportLanguage, PicksTheMemberOfThePairAndFormatsDatesInIt) {
    ScopedSwap<bool> language(ReportLanguage);
    for (const DateTimeCase& c : DateTimeCases) {
        char out[ReportDateTimeSize];
        ReportLanguage = true;
        EXPECT_STREQ("日", Pick("日", "Sun"));
        FormatReportDateTime(c.time, out);
        EXPECT_STREQ(c.japanese, out);
        ReportLanguage = false;
        EXPECT_STREQ("Sun", Pick("日", "Sun"));
        FormatReportDateTime(c.time, out);
        EXPECT_STREQ(c.english, out);
    }
}

TEST(ReportText, PadRightCountsBytesAndNeverPassesTheDestination) {
    char out[32];
    EXPECT_STREQ("abc           ", PadRight(14, "abc", out, sizeof out));
    EXPECT_STREQ("12345678901234567890", PadRight(14, "12345678901234567890", out, sizeof out));
    EXPECT_STREQ("日本語        ", PadRight(14, "日本語", out, sizeof out));  // six bytes + eight
    EXPECT_EQ(14u, strlen(PadRight(14, "", out, sizeof out)));
    EXPECT_EQ(NULL, PadRight(14, NULL, out, sizeof out));
    EXPECT_EQ(NULL, PadRight(14, "x", NULL, 0));
    char small[6];
    EXPECT_STREQ("abcde", PadRight(14, "abcdefgh", small, sizeof small));
    EXPECT_STREQ("日本 ", PadRight(14, "日本語", small, sizeof small)) << "cut at a character edge";
    EXPECT_STREQ("ab   ", PadRight(14, "ab", small, sizeof small));
}

TEST(ReportText, CutsShiftJisOnlyAtCharacterEdges) {
    // 表 is 95 5C: its second byte looks like a backslash.
    const char* text = "a表b";
    EXPECT_EQ(0u, WholeCharacterPrefix(932, text, 0));
    EXPECT_EQ(1u, WholeCharacterPrefix(932, text, 2));
    EXPECT_EQ(3u, WholeCharacterPrefix(932, text, 3));
    EXPECT_EQ(4u, WholeCharacterPrefix(932, text, 100));
    EXPECT_EQ(2u, WholeCharacterPrefix(1252, text, 2)) << "no double-byte characters in 1252";
    EXPECT_EQ(1u, WholeCharacterPrefix(932, "a\x95", 100)) << "a lone lead byte is half a character";
    char out[6];
    FormatWholeCharacters(out, sizeof out, "%s%s", "ab", "日本");
    EXPECT_STREQ("ab日", out);
    FormatWholeCharacters(out, sizeof out, "%d", 12345678);
    EXPECT_STREQ("12345", out);
    CopyWholeCharacters(932, out, sizeof out, "xyz表表");
    EXPECT_STREQ("xyz表", out);
}

TEST(ReportText, FormatsUnsignedAndGroupsThousands) {
    EXPECT_STREQ("0", FormatUnsigned(0));
    EXPECT_STREQ("4294967295", FormatUnsigned(4294967295u));
    struct {
        uint64_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {123, "123"},
                 {999, "999"},
                 {1000, "1,000"},
                 {1234, "1,234"},
                 {100000, "100,000"},
                 {1000000, "1,000,000"},
                 {UINT64_MAX, "18,446,744,073,709,551,615"}};
    for (auto& c : cases) EXPECT_STREQ(c.text, FormatThousands(c.value));
    // Two results may go into one formatting call; the third call reuses
    // the first buffer.
    const char* first = FormatThousands(1000);
    const char* second = FormatThousands(2000);
    EXPECT_STREQ("1,000", first);
    EXPECT_STREQ("2,000", second);
    FormatThousands(3000);
    EXPECT_STREQ("3,000", first);
}

// Values written into the test prefix's own registry, under HKCU.
class RegistryValues : public ::testing::Test {
protected:
    HKEY written = NULL;
    const char* path = "Software\\SwaypixTest\\Values";
    void SetUp() override {
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &written, NULL);
        ASSERT_TRUE(written != NULL);
    }
    void TearDown() override {
        RegCloseKey(written);
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
    }
    void Put(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(written, name, 0, type, (const BYTE*)data, size));
    }
};

static std::string ReadString(HKEY key, const char* name) {
    char* text = ReadRegString(key, name);
    if (!text) return "(null)";
    std::string result = text;
    free(text);
    return result;
}

TEST_F(RegistryValues, StringsOfEveryStringTypeAreReadAsStored) {
    Put("sz", REG_SZ, "4.0.30319", 10);
    Put("expand", REG_EXPAND_SZ, "%SystemRoot%\\x", 15);
    Put("multi", REG_MULTI_SZ, "one\0two\0", 9);
    Put("unterminated", REG_SZ, "abcd", 4);
    Put("empty", REG_SZ, "", 0);
    DWORD number = 7;
    Put("number", REG_DWORD, &number, 4);
    HKEY key = OpenRegKeyForQuery(HKEY_CURRENT_USER, path);
    ASSERT_TRUE(key != NULL);
    EXPECT_EQ("4.0.30319", ReadString(key, "sz"));
    EXPECT_EQ("%SystemRoot%\\x", ReadString(key, "expand")) << "not expanded";
    EXPECT_EQ("one", ReadString(key, "multi"));
    EXPECT_EQ("abcd", ReadString(key, "unterminated"));
    EXPECT_EQ("", ReadString(key, "empty"));
    EXPECT_EQ("(null)", ReadString(key, "number"));
    EXPECT_EQ("(null)", ReadString(key, "missing"));
    RegCloseKey(key);
    EXPECT_EQ(NULL, OpenRegKeyForQuery(HKEY_CURRENT_USER, "Software\\SwaypixTest\\Missing"));
}

TEST_F(RegistryValues, DwordsMustBeRealFourByteDwords) {
    DWORD number = 0x12345678;
    Put("number", REG_DWORD, &number, 4);
    Put("text", REG_SZ, "1", 2);
    Put("binary", REG_BINARY, &number, 4);
    Put("short", REG_DWORD, &number, 2);
    HKEY key = OpenRegKeyForQuery(HKEY_CURRENT_USER, path);
    ASSERT_TRUE(key != NULL);
    EXPECT_EQ(0x12345678u, ReadRegDword(key, "number"));
    EXPECT_EQ(0u, ReadRegDword(key, "text"));
    EXPECT_EQ(0u, ReadRegDword(key, "binary"));
    EXPECT_EQ(0u, ReadRegDword(key, "short"));
    EXPECT_EQ(0u, ReadRegDword(key, "missing"));
    RegCloseKey(key);
}

TEST_F(RegistryValues, AFailedStringAllocationFailsTheReportForWantOfMemory) {
    Put("sz", REG_SZ, "x", 2);
    HKEY key = OpenRegKeyForQuery(HKEY_CURRENT_USER, path);
    ASSERT_TRUE(key != NULL);
    ScopedSwap<ReportMemoryAccess> failing(ReportMemory, {[](void*, size_t) -> void* { return NULL; }});
    EXPECT_EQ("(null)", ReadString(key, "missing")) << "no allocation for a missing value";
    EXPECT_EQ(ReportNotFailed, ReportFailed);
    EXPECT_EQ("(null)", ReadString(key, "sz"));
    EXPECT_EQ(ReportOutOfMemory, ReportFailed);
    ReportFailed = ReportNotFailed;
    RegCloseKey(key);
}

// Known releases; the 9x family keeps its numbers in the build field,
// and a 9x record without them is a later Windows in the 95 mode: 4.0.
TEST(WindowsVersion, CodesOfKnownReleases) {
    const DWORD Nine = VER_PLATFORM_WIN32_WINDOWS, Nt = VER_PLATFORM_WIN32_NT;
    const DWORD cases[][5] = {{Nine, 4, 10, 0x040A08AE, 410}, {Nine, 4, 90, 0x045A0BB8, 490}, {Nine, 5, 1, 2600, 400},
                              {Nt, 5, 1, 2600, 501},          {Nt, 6, 1, 7601, 601},          {Nt, 10, 0, 19045, 1000}};
    SyntheticVersion version = {};
    VersionSwap presented(&version);
    for (const auto& c : cases) {
        version.record.dwPlatformId = c[0];
        version.record.dwMajorVersion = c[1];
        version.record.dwMinorVersion = c[2];
        version.record.dwBuildNumber = c[3];
        EXPECT_EQ(c[4], GetWindowsVersionCode()) << c[1] << "." << c[2] << " build " << c[3];
    }
}

TEST(WindowsVersion, Wow64MatchesTheExistenceOfTheWow64Folder) {
    char folder[MAX_PATH];
    bool hasWow64Folder = GetSystemWow64DirectoryA(folder, sizeof folder) != 0;
    EXPECT_EQ(hasWow64Folder, IsWow64());
}

TEST(SystemLibrary, LoadsByFullPathFromTheSystemFolderOnly) {
    HMODULE library = LoadSystemLibrary("iphlpapi.dll");
    ASSERT_TRUE(library != NULL);
    char loaded[MAX_PATH];
    GetModuleFileNameA(library, loaded, sizeof loaded);
    FreeLibrary(library);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(0, _strnicmp(system, loaded, strlen(system))) << loaded;

    EXPECT_TRUE(LoadSystemLibrary("no-such-library.dll") == NULL);
    std::string tooLong(MAX_PATH, 'x');
    EXPECT_TRUE(LoadSystemLibrary(tooLong.c_str()) == NULL);
}

static std::string ModuleFileOf(void* function) {
    HMODULE module = NULL;
    char path[MAX_PATH] = "";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           (const char*)function, &module))
        GetModuleFileNameA(module, path, sizeof path);
    return path;
}

// The report's libraries come from the system folder, the current
// directory is as it was after the side-by-side load, and releasing them
// unloads what the table loaded; the next use looks them up again.
TEST(OptionalFunctions, ReportLibrariesComeFromTheSystemFolderAndAreReleased) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    bool winmmWasLoaded = GetModuleHandleA("winmm.dll") != NULL;
    void* functions[] = {(void*)OptionalCommonControlsDllGetVersion(), (void*)OptionalGetAdaptersInfo(),
                         (void*)OptionalTimeGetTime()};
    for (void* function : functions) {
        ASSERT_TRUE(function != NULL);
        std::string file = ModuleFileOf(function);
        EXPECT_EQ(0, _strnicmp(system, file.c_str(), strlen(system))) << file;
    }
    char after[MAX_PATH];
    GetCurrentDirectoryA(sizeof after, after);
    EXPECT_STREQ(before, after);

    EXPECT_GE(CommonControlsVersionOr400(), 470u) << "DllGetVersion answered";

    ReleaseReportLibraries();
    if (!winmmWasLoaded) {
        EXPECT_TRUE(GetModuleHandleA("winmm.dll") == NULL) << "the table's load was undone";
    }
    EXPECT_TRUE(OptionalTimeGetTime() != NULL) << "looked up again";
    ReleaseReportLibraries();
    EXPECT_TRUE(OptionalIsWow64Process() != NULL) << "kernel32 is never released";
}
