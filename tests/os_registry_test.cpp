// The registry-backed lines of the operating-system block and the UAC
// line, read from real keys in a private HKEY_LOCAL_MACHINE; and every key
// closed when a string cannot be allocated.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>
#include <string>

#include "envreport/os/os_section.h"
#include "envreport/os/session_section.h"
#include "envreport/registry_values.h"
#include "envreport/report_failure.h"
#include "envreport/report_memory.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/report_section.h"
#include "tests/support/synthetic_version.h"

static const char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
static const char ExplorerKey[] = "Software\\Microsoft\\Internet Explorer";
static const char NdpKey[] = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\";
static const char PolicyKey[] = "SOFTWARE\\Microsoft\\.NETFramework\\Policy\\v1.0";
static const char FirstComponentKey[] =
    "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\{78705f0d-e8db-4b2d-8193-982bdda15ecd}";
static const char SecondComponentKey[] =
    "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\{FDC11A6F-17D1-48f9-9EA3-9051954BAA24}";
static const char WindowsNtKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
static const char UacKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

static std::string Ndp(const char* version) {
    return std::string(NdpKey) + version;
}

static void InstallFramework(const char* version, DWORD servicePack = 0) {
    PutRegDword(Ndp(version).c_str(), "Install", 1);
    if (servicePack) PutRegDword(Ndp(version).c_str(), "SP", servicePack);
}

class MachineKeys : public ::testing::Test {
protected:
    SyntheticVersion version = {};
    VersionSwap presented{&version};
    ScopedSwap<ReportMemoryAccess> memory{ReportMemory};
    void SetUp() override {
        // Windows 7 SP1, so every line of the block and the UAC line appear.
        version.record.dwPlatformId = VER_PLATFORM_WIN32_NT;
        version.record.dwMajorVersion = 6;
        version.record.dwMinorVersion = 1;
        version.record.dwBuildNumber = 7601;
        version.record.wServicePackMajor = 1;
        version.record.wProductType = VER_NT_WORKSTATION;
        EnterRegistrySandbox();
    }
    void TearDown() override { LeaveRegistrySandbox(); }
    std::string Os(bool japanese = false) { return SectionText(WriteOperatingSystemSection, japanese); }
    std::string Ie() { return LineAfter(Os(), "IE version    :"); }
    std::string DotNet(bool japanese = false) { return LineAfter(Os(japanese), ".NET Framework:"); }
};

TEST_F(MachineKeys, PlusVersionFollowsTheVersionNumbers) {
    EXPECT_EQ(std::string::npos, Os().find("Plus!"));
    PutRegString(CurrentVersionKey, "Plus! VersionNumber", "IE 5 6.0.2800.1106");
    EXPECT_NE(std::string::npos, Os().find("ver.6.1.7601 \r\nPlus!version :IE 5 6.0.2800.1106\r\n Platform     :"));
}

TEST_F(MachineKeys, InternetExplorerFromVersionBuildOrIVer) {
    EXPECT_EQ("<no IE version    :>", Ie());
    struct {
        const char* build;
        const char* iver;
        const char* expected;
    } cases[] = {
        {"520", NULL, "2.0"},          {"1155", "103", "3.0"},         {"1158", NULL, "3.0 for OSR2"},
        {"1215", NULL, "3.01"},        {"1300", NULL, "3.02/3.02a"},   {"999", "102", "2.0"},
        {"999", "103", "3.0x"},        {"999", "104", "1.0/2.0/3.0x"}, {"999", NULL, "1.0/2.0/3.0x"},
        {NULL, "100", "1.0 for Windows 95"}, {NULL, "101", "1.0 for Windows NT 4.0"}, {NULL, "99", "1.0/2.0/3.0"},
    };
    for (const auto& c : cases) {
        LeaveRegistrySandbox();
        EnterRegistrySandbox();
        if (c.build) PutRegString(ExplorerKey, "Build", c.build);
        if (c.iver) PutRegString(ExplorerKey, "IVer", c.iver);
        EXPECT_EQ(c.expected, Ie()) << (c.build ? c.build : "-") << " " << (c.iver ? c.iver : "-");
    }
    PutRegString(ExplorerKey, "Version", "11.0.9600.19036");
    EXPECT_EQ("11.0.9600.19036", Ie());
    LeaveRegistrySandbox();
    EnterRegistrySandbox();
    PutRegString(ExplorerKey, "Other", "x");
    EXPECT_EQ("<no IE version    :>", Ie());
    EXPECT_NE(std::string::npos, Os(true).find("\r\n.NET Framework:なし\r\nComctl32.dll  :ver."));
}

TEST_F(MachineKeys, DotNetEntriesInOrderWithPacksAndServicePacks) {
    EXPECT_EQ("None", DotNet());
    InstallFramework("v4\\Client");
    EXPECT_EQ("4(Client)", DotNet());
    PutRegString(Ndp("v4\\Client").c_str(), "Version", "4.0.30319");
    PutRegDword(Ndp("v4\\Client\\Setup\\1041").c_str(), "Install", 1);
    EXPECT_EQ("4.0(Client)[JP]", DotNet());
    // Full and Client together: only Full.
    InstallFramework("v4\\Full");
    PutRegString(Ndp("v4\\Full").c_str(), "Version", "4.5.51209");
    PutRegDword(Ndp("v4\\Full\\1041").c_str(), "Install", 1);
    InstallFramework("v3.5", 1);
    PutRegDword(Ndp("v3.5\\1041").c_str(), "Install", 1);
    PutRegDword(Ndp("v3.5\\1041").c_str(), "SP", 1);
    InstallFramework("v3.0", 2);
    PutRegDword(Ndp("v3.0\\Setup\\1041").c_str(), "Install", 1);
    InstallFramework("v2.0.50727", 2);
    // A "1041" pack that is not installed; "Setup\1041" is not looked at then.
    PutRegDword(Ndp("v2.0.50727\\1041").c_str(), "Install", 0);
    PutRegDword(Ndp("v2.0.50727\\Setup\\1041").c_str(), "Install", 1);
    InstallFramework("v1.1.4322");
    PutRegDword(Ndp("v1.1.4322").c_str(), "Install", 2);  // only exactly 1 counts
    EXPECT_EQ("4.5(Full)[JP], 3.5(SP1)[JPSP1], 3.0(SP2)[JP], 2.0(SP2)", DotNet());
    EXPECT_EQ("4.5(Full)[日本語], 3.5(SP1)[日本語SP1], 3.0(SP2)[日本語], 2.0(SP2)", DotNet(true));

    PutRegString(Ndp("v4\\Full").c_str(), "Version", "4.8.04084");
    PutRegDword(Ndp("v4\\Full\\1041").c_str(), "Install", 0);
    PutRegDword(Ndp("v1.1.4322").c_str(), "Install", 1);
    EXPECT_EQ("4(Full), 3.5(SP1)[JPSP1], 3.0(SP2)[JP], 2.0(SP2), 1.1", DotNet());
}

TEST_F(MachineKeys, DotNet10AndItsServicePackFromActiveSetup) {
    PutRegString(PolicyKey, "3705", "3321-3704");
    EXPECT_EQ("None", DotNet());
    PutRegString(PolicyKey, "3705", "3321-3705");
    EXPECT_EQ("1.0", DotNet());
    PutRegString(SecondComponentKey, "Version", "1,0,3705,2");
    EXPECT_EQ("1.0(SP2)", DotNet());
    PutRegString(FirstComponentKey, "Version", "1,0,3705,3");
    EXPECT_EQ("1.0(SP3)", DotNet());
    // A version without its tenth character, or of another build, has no
    // service pack to show.
    for (const char* incomplete : {"1,0,3705,", "1,0,3705", "1,0,37", "", "1,0,3706,1"}) {
        PutRegString(FirstComponentKey, "Version", incomplete);
        EXPECT_EQ("1.0", DotNet()) << incomplete;
    }
}

TEST_F(MachineKeys, UacValuesInOrderWithMissingOnesLeftBare) {
    auto uac = [] { return LineAfter(SectionText(WriteSessionSection), "UAC           :"); };
    EXPECT_EQ("", uac());
    PutRegDword(UacKey, "EnableLUA", 1);
    PutRegDword(UacKey, "PromptOnSecureDesktop", 1);
    PutRegDword(UacKey, "ConsentPromptBehaviorAdmin", 5);
    PutRegDword(UacKey, "ConsentPromptBehaviorUser", 3);
    EXPECT_EQ("EnableLUA=1, PromptOnSecureDesktop=1, ConsentPromptBehaviorAdmin=5, ConsentPromptBehaviorUser=3", uac());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, UacKey, 0, KEY_SET_VALUE, &key));
    RegDeleteValueA(key, "PromptOnSecureDesktop");
    RegCloseKey(key);
    PutRegString(UacKey, "ConsentPromptBehaviorUser", "3");  // not a number
    EXPECT_EQ("EnableLUA=1, PromptOnSecureDesktop=, ConsentPromptBehaviorAdmin=5, ConsentPromptBehaviorUser=", uac());
    EXPECT_NE(std::string::npos, SectionText(WriteSessionSection, true).find("\r\nﾕｰｻﾞｰｱｶｳﾝﾄ制御:EnableLUA=1, "));
}

// An empty release name is as good as none: ReleaseId stands in for an
// empty DisplayVersion, and with both empty only the build remains.
TEST_F(MachineKeys, AnEmptyReleaseNameCountsAsMissing) {
    version.record.dwMajorVersion = 10;
    version.record.dwMinorVersion = 0;
    version.record.dwBuildNumber = 19045;
    const struct {
        const char *displayVersion, *releaseId, *line;
    } cases[] = {
        {"", "2009", "2009, build 19045"},
        {"", "", "build 19045"},
        {"22H2", "", "22H2, build 19045"},
    };
    for (const auto& c : cases) {
        PutRegString(WindowsNtKey, "DisplayVersion", c.displayVersion);
        PutRegString(WindowsNtKey, "ReleaseId", c.releaseId);
        EXPECT_EQ(c.line, LineAfter(Os(), " Release      :")) << c.displayVersion << "/" << c.releaseId;
    }
}

// Every string the block reads present, so each allocation can be made to
// fail in turn: the failure must reach the driver with no key open.
TEST_F(MachineKeys, AFailedStringAllocationLeavesNoKeyOpen) {
    PutRegString(CurrentVersionKey, "Plus! VersionNumber", "4.40.410");
    PutRegString(ExplorerKey, "Build", "999");
    PutRegString(ExplorerKey, "IVer", "103");
    InstallFramework("v4\\Full");
    PutRegString(Ndp("v4\\Full").c_str(), "Version", "4.5.1");
    PutRegDword(Ndp("v4\\Full\\1041").c_str(), "Install", 1);
    PutRegString(PolicyKey, "3705", "3321-3705");
    PutRegString(FirstComponentKey, "Version", "1,0,3705,3");
    const std::string full = Os();
    ASSERT_NE(std::string::npos, full.find("Plus!version :4.40.410"));
    ASSERT_EQ("3.0x", LineAfter(full, "IE version    :"));
    ASSERT_EQ("4.5(Full)[JP], 1.0(SP3)", LineAfter(full, ".NET Framework:"));

    PutRegString(WindowsNtKey, "DisplayVersion", "22H2");

    static int allocationsLeft;
    ReportMemory.reallocate = [](void* block, size_t size) -> void* {
        return allocationsLeft-- == 0 ? NULL : LiveReportMemory.reallocate(block, size);
    };
    const std::vector<HANDLE> before = NextFreeHandles(16);
    // Plus!, IE's Build and IVer, v4's Version, 1.0's policy and its
    // component's Version; on Windows 10 the release name too. A missing
    // value allocates nothing.
    const struct {
        DWORD major, minor, build;
        int strings;
    } versions[] = {{6, 1, 7601, 6}, {10, 0, 19045, 7}};
    for (const auto& v : versions) {
        version.record.dwMajorVersion = v.major;
        version.record.dwMinorVersion = v.minor;
        version.record.dwBuildNumber = v.build;
        allocationsLeft = -1;  // none fails
        EXPECT_EQ(v.major == 10, Os().find("\r\n Release      :22H2, build 19045\r\n") != std::string::npos);
        int failures = 0;
        for (int failAt = 0;; ++failAt) {
            // Only the section's own allocations are counted, not the text's.
            ReportBuffer report = {};
            report.Init();
            ReportContext context = {};
            allocationsLeft = failAt;
            ReportFailed = ReportNotFailed;
            WriteOperatingSystemSection(report, context);
            allocationsLeft = -1;
            report.Free();
            EXPECT_EQ(before, NextFreeHandles(16)) << v.major << " allocation " << failAt;
            if (!ReportFailed) break;
            EXPECT_EQ(ReportOutOfMemory, ReportFailed) << "allocation " << failAt;
            ++failures;
        }
        ReportFailed = ReportNotFailed;
        EXPECT_EQ(v.strings, failures) << v.major;
    }
}
