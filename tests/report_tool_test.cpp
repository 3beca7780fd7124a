// swaypix-report.exe as maintainers run it: options, exit codes, the
// bytes on standard output, and the offset line in real time zones.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "setup/shortcut.h"
#include "tests/support/console_capture.h"
#include "tests/support/linux_tools.h"
#include "tests/support/program_driver.h"
#include "tests/support/report_section.h"
#include "tests/support/test_files.h"

static CapturedRun RunReportTool(const std::string& arguments) {
    return RunCapturing("\"" + BuiltProgramPath("swaypix-report.exe") + "\" " + arguments);
}

static const char Banner[] = "VORLEX.LIB ver.5.24.05 [Jun  6 2012](ANSI)";

static bool EveryLineFeedFollowsACarriageReturn(const std::string& text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        if (at == 0 || text[at - 1] != '\r') return false;
    return true;
}

TEST(ReportTool, PrintsTheJapaneseReportByDefaultInCodePage932) {
    CapturedRun run = RunReportTool("");
    EXPECT_EQ(0u, run.exitCode) << run.err;
    EXPECT_EQ(0u, run.out.find(std::string(Banner) + "\r\n\r\n[プロセッサ]\r\nプロセッサ    :")) << run.out;
    EXPECT_NE(std::string::npos,
              run.out.find("\r\n[その他]\r\nクライアント  :SWAYPIX ver.2.15.03  [2012/07/08] (x86) \r\n日付時刻      :"));
    EXPECT_TRUE(EveryLineFeedFollowsACarriageReturn(run.out)) << "binary output, CRLF as in the file";
    EXPECT_TRUE(EndsWithRawCpuidBlock(run.out)) << run.out.substr(run.out.size() - 200);
    EXPECT_EQ("", run.err);
}

TEST(ReportTool, EnglishAndUtf8ChangeLanguageAndEncoding) {
    CapturedRun english = RunReportTool("--english");
    EXPECT_EQ(0u, english.exitCode);
    EXPECT_NE(std::string::npos, english.out.find("\r\n[Other Information]\r\nClient        :SWAYPIX ver.2.15.03 "));
    EXPECT_TRUE(EveryLineFeedFollowsACarriageReturn(english.out));

    CapturedRun utf8 = RunReportTool("--utf8");
    EXPECT_EQ(0u, utf8.exitCode);
    EXPECT_NE(std::string::npos, utf8.out.find(u8"\r\n[その他]\r\nクライアント  :SWAYPIX"));
    EXPECT_EQ(std::string::npos, utf8.out.find("[その他]")) << "no code page 932 bytes left";

    CapturedRun both = RunReportTool("--utf8 --english");
    EXPECT_EQ(0u, both.exitCode);
    EXPECT_NE(std::string::npos, both.out.find("\r\n[Other Information]"));
}

TEST(ReportTool, TheDeviceSectionsStandBetweenTheProcessorAndTheOtherInformation) {
    CapturedRun run = RunReportTool("--english --no-clock");
    EXPECT_EQ(0u, run.exitCode);
    size_t at = 0;
    for (const char* header : {"\r\n\r\n[Processor]\r\n", "\r\n\r\n[Disk Drives]\r\n", "\r\nC: ",
                               "\r\n\r\n[Display Adapter]\r\n", "\r\n[Network Adapter]\r\nAdapter Name  :",
                               "\r\n\r\n[Other Information]\r\n"}) {
        size_t found = run.out.find(header, at);
        EXPECT_NE(std::string::npos, found) << header << run.out;
        at = found == std::string::npos ? at : found;
    }
}

// The power and idle block follows the UAC line directly and ends where
// the disk drives begin; the report tool reads the shortcuts through COM.
TEST(ReportTool, ThePowerBlockStandsBetweenTheUacLineAndTheDiskDrives) {
    std::string startup = ShellFolderPath(CSIDL_STARTUP);
    DeleteMatchingFiles(startup, "SWAYPIX*.LNK");
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    std::string link = startup + "\\SWAYPIX.LNK";
    bool created = CreateShortcut(WideOf(BuiltProgramPath("swaypix.exe")).c_str(), L"50000", WideOf(link).c_str());
    CoUninitialize();
    ASSERT_TRUE(created);
    std::string report = RunReportTool("--english --no-clock").out;
    DeleteMatchingFiles(startup, "SWAYPIX*.LNK");
    size_t uac = report.find("\r\nUAC           :");
    size_t block = report.find("\r\n\r\n[Power and Idle]\r\n");
    size_t drives = report.find("\r\n\r\n[Disk Drives]\r\n");
    ASSERT_NE(std::string::npos, uac) << report;
    EXPECT_EQ(report.find("\r\n", uac + 2), block) << report;
    ASSERT_LT(block, drives);
    std::string lines = report.substr(block, drives - block);
    EXPECT_NE(std::string::npos, lines.find("\r\nScreen Saver  :")) << lines;
    size_t shortcut = lines.find("\r\nShortcut      :");
    ASSERT_NE(std::string::npos, shortcut) << lines;
    EXPECT_NE(std::string::npos, lines.find("\r\nShortcut      :Startup\\SWAYPIX.LNK 50000 (pointer every 50 s)"))
        << "read through COM" << lines;
    for (size_t at = shortcut; at != std::string::npos; at = lines.find("\r\n", at + 2))
        EXPECT_EQ(0, lines.compare(at, 17, "\r\nShortcut      :")) << "the shortcut lines close the block" << lines;
}

static const char PolicyDesktop[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";

// What a 64-bit management tool, the set-up dialog and a damaged disk leave
// in the prefix, as the tool reports it in Japanese; names in byte order
// with only ASCII letters folded: the trail byte 0x41 of ア stays below the
// 0x60 of チ, and both lead bytes come after ".".
TEST(ReportTool, ThePowerBlockShowsPoliciesAndLinksAsTheyWereWritten) {
    std::string startup = ShellFolderPath(CSIDL_STARTUP);
    std::string allUsers = ShellFolderPath(CSIDL_COMMON_STARTUP);
    std::wstring wideStartup(startup.begin(), startup.end());  // ASCII in Wine's prefix
    const std::wstring japaneseNames[] = {wideStartup + L"\\SWAYPIXチ.LNK", wideStartup + L"\\SWAYPIXア.LNK"};
    HKEY policy;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, PolicyDesktop, 0, NULL, 0,
                                             KEY_SET_VALUE | KEY_WOW64_64KEY, NULL, &policy, NULL));
    DWORD off = 0;
    RegSetValueExA(policy, "ScreenSaveActive", 0, REG_DWORD, (const BYTE*)&off, sizeof off);
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    std::string program = BuiltProgramPath("swaypix.exe");
    bool created = CreateShortcut(WideOf(program).c_str(), L"500", WideOf(startup + "\\SWAYPIX.LNK").c_str()) &&
                   CreateShortcut(WideOf(program).c_str(), L"-1000", WideOf(startup + "\\SWAYPIX(2).LNK").c_str()) &&
                   CreateShortcut(WideOf(program).c_str(), L"50000", WideOf(allUsers + "\\SWAYPIX.LNK").c_str());
    CoUninitialize();
    for (const std::wstring& name : japaneseNames)
        created = created && CopyFileW((wideStartup + L"\\SWAYPIX.LNK").c_str(), name.c_str(), FALSE);
    FILE* corrupt = fopen((startup + "\\SWAYPIX(3).LNK").c_str(), "wb");
    if (corrupt) fclose(corrupt);  // empty
    std::string report =
        RunLinuxCommand("LANG=ja_JP.UTF-8 wine " + ShellQuote(UnixPathOf(BuiltProgramPath("swaypix-report.exe"))) +
                        " --utf8 --no-clock");
    RegDeleteValueA(policy, "ScreenSaveActive");
    RegCloseKey(policy);
    for (const std::wstring& name : japaneseNames) DeleteFileW(name.c_str());
    DeleteMatchingFiles(startup, "SWAYPIX*.LNK");
    DeleteMatchingFiles(allUsers, "SWAYPIX*.LNK");
    ASSERT_TRUE(created && corrupt);

    EXPECT_NE(std::string::npos, report.find(u8"\r\nｽｸﾘｰﾝｾｰﾊﾞｰ    :なし (ポリシー)\r\n")) << report;
    EXPECT_NE(std::string::npos,
              report.find(u8"\r\nショートカット:スタートアップ\\SWAYPIX(2).LNK -1000 (設定ダイアログ)"
                          u8"\r\nショートカット:スタートアップ\\SWAYPIX(3).LNK [読み取れません]"
                          u8"\r\nショートカット:スタートアップ\\SWAYPIX.LNK 500 (マウス 0.5秒毎)"
                          u8"\r\nショートカット:スタートアップ\\SWAYPIXア.LNK 500 (マウス 0.5秒毎)"
                          u8"\r\nショートカット:スタートアップ\\SWAYPIXチ.LNK 500 (マウス 0.5秒毎)"
                          u8"\r\nショートカット:スタートアップ(全員)\\SWAYPIX.LNK 50000 (マウス 50秒毎)\r\n"));
}

TEST(ReportTool, HelpAndUnknownOptions) {
    CapturedRun help = RunReportTool("--help");
    EXPECT_EQ(0u, help.exitCode);
    EXPECT_EQ(0u, help.out.find("usage: swaypix-report"));
    EXPECT_EQ(std::string::npos, help.out.find("VORLEX"));

    for (const char* wrong : {"--englsh", "-english", "extra"}) {
        CapturedRun run = RunReportTool(wrong);
        EXPECT_EQ(2u, run.exitCode) << wrong;
        EXPECT_EQ("", run.out) << wrong;
        EXPECT_EQ(0u, run.err.find("usage: swaypix-report")) << wrong;
    }
}

// Wine takes the zone from the Unix TZ of its process, so the tool is
// started through the shell. The line gives the zone's base offset: in
// December Sydney keeps daylight time and must still read +10:00.
TEST(ReportTool, TheOffsetLineFollowsTheTimeZone) {
    struct {
        const char* zone;
        const char* offset;
    } cases[] = {{"Asia/Tokyo", "+09:00"}, {"Asia/Kolkata", "+05:30"}, {"America/St_Johns", "-03:30"},
                 {"UTC", "-00:00"},        {"Europe/Berlin", "+01:00"}, {"Australia/Sydney", "+10:00"}};
    std::string tool = UnixPathOf(BuiltProgramPath("swaypix-report.exe"));
    ASSERT_NE("", tool);
    for (auto& c : cases) {
        std::string out = RunLinuxCommand(std::string("TZ=") + c.zone + " wine " + ShellQuote(tool) + " --english --no-clock");
        EXPECT_NE(std::string::npos, out.find(std::string("\r\nDiff from UTC :") + c.offset + "\r\n\r\n"))
            << c.zone << "\n" << out;
    }
}

static std::string WriteTempFile(const char* name, const std::string& content) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + name;
    EXPECT_TRUE(WriteTextFile(path, content)) << path;
    return path;
}

// Kept in a folder the ANSI code page cannot name; when it is gone, the
// error names it whole (UTF-8 where the output is no console).
TEST(ReportTool, ReplaysARecordedDumpWithoutMeasuringTheClock) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"Zoë Ж";
    CreateDirectoryW(folder.c_str(), NULL);
    std::wstring dump = folder + L"\\dump.raw";
    ASSERT_TRUE(WriteTextFile(dump,
                              "CPU:\n"
                              "   0x00000000 0x00: eax=0x00000001 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
                              "   0x00000001 0x00: eax=0x00000543 ebx=0x00000000 ecx=0x00000000 edx=0x008001bf\n"
                              "CPU 1:\n"
                              "   0x00000001 0x00: eax=0x00000633 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"));
    std::wstring command = L"\"" + WideOf(BuiltProgramPath("swaypix-report.exe")) + L"\" --english --no-clock --cpuid \"" + dump + L"\"";
    CapturedRun run = RunCapturing(command);
    EXPECT_EQ(0u, run.exitCode) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("\r\nProcessor     :Intel MMX Technology Pentium Processor(166/200)\r\n"))
        << run.out;
    EXPECT_NE(std::string::npos, run.out.find("\r\nVender ID     :\"GenuineIntel\" (Intel)\r\nStd.Functions :"))
        << "no clock lines with --no-clock";
    DeleteFileW(dump.c_str());
    CapturedRun gone = RunCapturing(command);
    EXPECT_EQ(2u, gone.exitCode);
    EXPECT_EQ(0u, gone.err.find("swaypix-report: cannot open ")) << gone.err;
    const std::string tail = "\\Zo\xC3\xAB \xD0\x96\\dump.raw\r\n";  // stderr in text mode
    EXPECT_EQ(gone.err.size() - tail.size(), gone.err.rfind(tail)) << gone.err;
    RemoveDirectoryW(folder.c_str());
}

TEST(ReportTool, AMalformedOrMissingDumpGivesAnErrorAndNoReport) {
    std::string bad = WriteTempFile("swaypix-bad.raw",
                                    "CPU:\n"
                                    "   0x00000000 0x00: eax=0x00000001 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
                                    "   0x00000001 0x00: eax=0x00000543 ebx=zzz\n");
    const std::string cases[] = {"--cpuid \"" + bad + "\"", "--cpuid Z:\\nonexistent\\dump.raw",
                                 "--cpuid \"" + WriteTempFile("swaypix-empty.raw", "") + "\""};
    for (const std::string& arguments : cases) {
        CapturedRun run = RunReportTool(arguments);
        EXPECT_EQ(2u, run.exitCode) << arguments;
        EXPECT_EQ("", run.out) << arguments;
        EXPECT_EQ(0u, run.err.find("swaypix-report: ")) << run.err;
    }
    EXPECT_NE(std::string::npos, RunReportTool(cases[0]).err.find("line 3")) << "the error names the line";
    CapturedRun noFile = RunReportTool("--cpuid");
    EXPECT_EQ(2u, noFile.exitCode);
    EXPECT_EQ(0u, noFile.err.find("usage: swaypix-report"));
    DeleteFileA(bad.c_str());
}

struct EmulatedWindows {
    const char* wineVersion;  // Wine's name for the version it presents
    const char* osLine;       // the line after "OS version    :"
    const char* platform;
    bool servicePackLine;
    bool memoryLines;  // Windows 2000 and later
    bool uacLine;      // Vista and later
    const char* productType;  // the record's own word on workstation or server
};

// What Wine's own version records give. Wine 8 hands out a server record
// for "win7" and a workstation one for "win2008r2"; the report names what
// the record says. 8.1 and 10 are told apart only through the manifest's
// supportedOS list.
static const EmulatedWindows EmulatedVersions[] = {
    {"win95", "Windows 95 ver.4.00.950", "Windows 9x(1), ", false, false, false, NULL},
    {"win98", "Windows 98 Second Edition ver.4.10.2222 A ", "Windows 9x(1), ", false, false, false, NULL},
    {"winme", "Windows Millennium Edition ver.4.90.3000 ", "Windows 9x(1), ", false, false, false, NULL},
    {"nt40", "Windows NT Workstation ver.4.0.1381 Service Pack 6a", "Windows NT(2), ", true, false, false, "Workstation"},
    {"win2k", "Windows 2000 Professsional ver.5.0.2195 Service Pack 4", "Windows NT(2), ", true, true, false, "Professional"},
    {"winxp", "Windows XP Professional ver.5.1.2600 Service Pack 3", "Windows NT(2), ", true, true, false, "Professional"},
    {"win2003", "Windows Server 2003 Standard Edition ver.5.2.3790 Service Pack 2", "Windows NT(2), ", true, true, false, "Server"},
    {"vista", "Windows Vista Ultimate N ver.6.0.6002 Service Pack 2", "Windows NT(2), ", true, true, true, "Workstation"},
    {"win2008", "Windows Server 2008 Standard (full installation) ver.6.0.6002 Service Pack 2", "Windows NT(2), ", true, true, true, "Server"},
    {"win7", "Windows Server 2008 R2 Standard (full installation) ver.6.1.7601 Service Pack 1", "Windows NT(2), ", true, true, true, "Server"},
    {"win2008r2", "Windows 7 Ultimate N ver.6.1.7601 Service Pack 1", "Windows NT(2), ", true, true, true, "Workstation"},
    {"win8", "Windows 8 Ultimate N ver.6.2.9200 ", "Windows NT(2), ", true, true, true, "Workstation"},
    {"win81", "Windows 8.1 Ultimate N ver.6.3.9600 ", "Windows NT(2), ", true, true, true, "Workstation"},
    {"win10", "Windows 10 Ultimate N ver.10.0.18362 ", "Windows NT(2), ", true, true, true, "Workstation"},
};

// Wine presents the version per program through its AppDefaults key, so
// only the tool sees the emulated Windows.
static void EmulateWindowsForTool(const char* wineVersion) {
    const char* key = "Software\\Wine\\AppDefaults\\swaypix-report.exe";
    if (!wineVersion) {
        RegDeleteKeyA(HKEY_CURRENT_USER, key);
        return;
    }
    HKEY appDefaults;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_SET_VALUE, NULL, &appDefaults, NULL));
    LONG written =
        RegSetValueExA(appDefaults, "Version", 0, REG_SZ, (const BYTE*)wineVersion, (DWORD)strlen(wineVersion) + 1);
    RegCloseKey(appDefaults);
    ASSERT_EQ(ERROR_SUCCESS, written);
}

class EmulatedWindowsTool : public ::testing::Test {
protected:
    void TearDown() override { EmulateWindowsForTool(NULL); }
};

TEST_F(EmulatedWindowsTool, NamesEveryWindowsVersionWineCanPresent) {
    for (const EmulatedWindows& windows : EmulatedVersions) {
        ASSERT_NO_FATAL_FAILURE(EmulateWindowsForTool(windows.wineVersion));
        CapturedRun run = RunReportTool("--english --no-clock");
        ASSERT_EQ(0u, run.exitCode) << windows.wineVersion;
        EXPECT_EQ(windows.osLine, LineAfter(run.out, "OS version    :")) << windows.wineVersion;
        EXPECT_EQ(0u, LineAfter(run.out, " Platform     :").find(windows.platform)) << windows.wineVersion;
        EXPECT_EQ(windows.servicePackLine, run.out.find("\r\n Service Pack :") != std::string::npos)
            << windows.wineVersion;
        EXPECT_EQ(windows.memoryLines, run.out.find("\r\nPhysical Mem. :") != std::string::npos) << windows.wineVersion;
        EXPECT_EQ(windows.uacLine, run.out.find("\r\nUAC           :") != std::string::npos) << windows.wineVersion;
        if (windows.productType) {
            EXPECT_EQ(windows.productType, LineAfter(run.out, " Product Type :")) << windows.wineVersion;
        }
    }
}

static const char WindowsNtKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
static const char* const ReleaseValues[] = {"DisplayVersion", "ReleaseId", "UBR"};

// Sets or, for NULL, removes the release values in the prefix's own
// machine keys, which the tool reads.
static void PutReleaseValues(const char* displayVersion, const char* releaseId, const DWORD* updateRevision) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, WindowsNtKey, 0, KEY_SET_VALUE, &key));
    for (const char* name : ReleaseValues) RegDeleteValueA(key, name);
    const char* texts[] = {displayVersion, releaseId};
    for (int i = 0; i < 2; ++i)
        if (texts[i])
            RegSetValueExA(key, ReleaseValues[i], 0, REG_SZ, (const BYTE*)texts[i], (DWORD)strlen(texts[i]) + 1);
    if (updateRevision) RegSetValueExA(key, "UBR", 0, REG_DWORD, (const BYTE*)updateRevision, sizeof *updateRevision);
    RegCloseKey(key);
}

class ReleaseLineTool : public EmulatedWindowsTool {
protected:
    void TearDown() override {
        PutReleaseValues(NULL, NULL, NULL);
        EmulatedWindowsTool::TearDown();
    }
};

// Wine's Windows 10 record is build 18362; the line follows the platform
// line directly.
TEST_F(ReleaseLineTool, ReleaseAndUpdateBuildUnderWindows10Only) {
    static const DWORD Update = 2861;
    struct {
        const char* displayVersion;
        const char* releaseId;
        const DWORD* updateRevision;
        const char* english;
        const char* japanese;  // NULL: not run in Japanese
    } cases[] = {
        {"23H2", "2009", &Update, "23H2, build 18362.2861", "23H2, ビルド 18362.2861"},
        {NULL, "1903", &Update, "1903, build 18362.2861", NULL},
        {"22H2", NULL, NULL, "22H2, build 18362", NULL},
        {NULL, NULL, NULL, "build 18362", "ビルド 18362"},
    };
    ASSERT_NO_FATAL_FAILURE(EmulateWindowsForTool("win10"));
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(PutReleaseValues(c.displayVersion, c.releaseId, c.updateRevision));
        std::string english = RunReportTool("--english --no-clock").out;
        const std::string line = "x64 (x86 on WOW64)\r\n Release      :" + std::string(c.english) + "\r\n";
        EXPECT_NE(std::string::npos, english.find(line)) << c.english << "\n" << english;
        if (!c.japanese) continue;
        std::string japanese = RunReportTool("--no-clock").out;
        EXPECT_NE(std::string::npos, japanese.find("動作しています)\r\n リリース     :" + std::string(c.japanese) + "\r\n"))
            << c.english;
    }
    ASSERT_NO_FATAL_FAILURE(EmulateWindowsForTool("win7"));
    PutReleaseValues("23H2", "2009", &Update);
    std::string windows7 = RunReportTool("--english --no-clock").out;
    EXPECT_EQ(std::string::npos, windows7.find("Release")) << "no release line before NT 10.0";
    EXPECT_EQ(std::string::npos, RunReportTool("--no-clock").out.find("リリース"));
}

// Wine takes the system DPI from LogPixels when a process starts.
static void SetLogPixels(DWORD dpi) {
    HKEY desktop;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop));
    if (dpi) RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, (const BYTE*)&dpi, sizeof dpi);
    else RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
}

TEST(ReportTool, DpiLineFollowsTheScreenLineAt100And150Percent) {
    struct {
        DWORD logPixels;  // 0: Wine's default
        const char* line;
    } cases[] = {{0, "96 (100%)"}, {144, "144 (150%)"}};
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(SetLogPixels(c.logPixels));
        std::string english = RunReportTool("--english --no-clock").out;
        std::string japanese = RunReportTool("--no-clock").out;
        SetLogPixels(0);
        EXPECT_NE(std::string::npos, english.find(")]\r\n DPI          :" + std::string(c.line) + "\r\nVirtual Screen:"))
            << english;
        EXPECT_NE(std::string::npos, japanese.find(")]\r\n DPI          :" + std::string(c.line) + "\r\n仮想画面      :"));
    }
}

static std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    std::string text;
    if (found) text.assign((const char*)LockResource(LoadResource(module, found)), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

// Per-monitor v2 where Windows knows it (1703 on), system-aware before:
// never per-monitor v1, under which Windows leaves a window unscaled when
// it moves to a monitor of another scale. Windows 10 1607 on reads only
// the ordered dpiAwareness list, older ones only dpiAware.
TEST(ReportTool, BothProgramsDeclareThemselvesDpiAware) {
    for (const char* exe : {"swaypix.exe", "swaypix-report.exe"}) {
        std::string manifest = ManifestOf(BuiltProgramPath(exe));
        EXPECT_NE(std::string::npos,
                  manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"))
            << exe << manifest;
        EXPECT_NE(std::string::npos, manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                                   "WindowsSettings\">PerMonitorV2, System</dpiAwareness>"))
            << exe;
        for (const char* perMonitorV1 : {"/pm", "/PM", "per monitor", "PerMonitor<", "PerMonitor,"})
            EXPECT_EQ(std::string::npos, manifest.find(perMonitorV1)) << exe << " " << perMonitorV1;
        // Windows reads them only inside the v3 application element.
        size_t application = manifest.find("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">");
        EXPECT_LT(application, manifest.find("<dpiAware ")) << exe;
        EXPECT_LT(manifest.find("<dpiAwareness "), manifest.find("</application>", application)) << exe;
    }
}
