// The operating-system lines for version records Wine cannot present:
// every 9x and pre-release build the names know, editions told by suite
// bits, metrics and GetProductInfo, and the extended block's corner cases.
#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <string>

#include "envreport/os/os_section.h"
#include "envreport/os/session_section.h"
#include "envreport/os/version_access.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/report_section.h"
#include "tests/support/synthetic_version.h"

static const DWORD NoProductInfo = 0xFFFFFFFF;

struct VersionCase {
    DWORD platform, major, minor, buildNumber;
    const char* csd;
    WORD servicePack, suite;
    BYTE productType;
    DWORD productInfo;  // NoProductInfo: the call is missing
    int metric;         // a metric set to 1, or 0 for none
    const char* expected;  // the line after "OS version    :Windows "
};

const DWORD Nt = VER_PLATFORM_WIN32_NT, Nine = VER_PLATFORM_WIN32_WINDOWS;
const BYTE Ws = VER_NT_WORKSTATION, Dc = VER_NT_DOMAIN_CONTROLLER, Srv = VER_NT_SERVER;

// The 9x family keeps major and minor in the high word of the build.
static DWORD NineBuild(DWORD major, DWORD minor, DWORD build) {
    return major << 24 | minor << 16 | build;
}

static const VersionCase NameCases[] = {
    {Nine, 4, 0, NineBuild(4, 0, 1111), " B", 0, 0, 0, NoProductInfo, 0, "95 OSR2 ver.4.00.1111 B"},
    {Nine, 4, 0, NineBuild(4, 0, 1212), "", 0, 0, 0, NoProductInfo, 0, "95 OSR2.1 ver.4.00.1212"},
    {Nine, 4, 0, NineBuild(4, 0, 1213), "", 0, 0, 0, NoProductInfo, 0, "95 OSR2.1 ver.4.00.1213"},
    {Nine, 4, 0, NineBuild(4, 0, 1214), "", 0, 0, 0, NoProductInfo, 0, "95 OSR2.1/2.5 ver.4.00.1214"},
    {Nine, 4, 0, NineBuild(4, 0, 490), "", 0, 0, 0, NoProductInfo, 0, "95 beta ver.4.00.490"},
    {Nine, 4, 0, NineBuild(4, 0, 950), "", 0, 0, 0, NoProductInfo, 0, "95 ver.4.00.950"},
    // A later Windows running the program in its 95 mode: no numbers in
    // the build's high word, and the major and minor given stand.
    {Nine, 4, 0, 2600, "", 0, 0, 0, NoProductInfo, 0, "95 (Windows XP) ver.4.00.2600"},
    {Nine, 4, 0, 1111, "", 0, 0, 0, NoProductInfo, 0, "95 OSR2 ver.4.00.1111"},
    {Nine, 4, 10, NineBuild(4, 10, 1351), "", 0, 0, 0, NoProductInfo, 0, "98 Developer Release ver.4.10.1351"},
    {Nine, 4, 10, NineBuild(4, 10, 1998), "", 0, 0, 0, NoProductInfo, 0, "98 ver.4.10.1998"},
    {Nine, 4, 10, NineBuild(4, 10, 1691), "", 0, 0, 0, NoProductInfo, 0, "98 beta ver.4.10.1691"},
    {Nine, 4, 10, NineBuild(4, 10, 2183), "", 0, 0, 0, NoProductInfo, 0, "98SE beta ver.4.10.2183"},
    {Nine, 4, 10, NineBuild(4, 10, 2222), " A ", 0, 0, 0, NoProductInfo, 0, "98 Second Edition ver.4.10.2222 A "},
    {Nine, 4, 90, NineBuild(4, 90, 2368), "", 0, 0, 0, NoProductInfo, 0, "Me beta1 ver.4.90.2368"},
    {Nine, 4, 90, NineBuild(4, 90, 2410), "", 0, 0, 0, NoProductInfo, 0, "Me beta2 RC ver.4.90.2410"},
    {Nine, 4, 90, NineBuild(4, 90, 2419), "", 0, 0, 0, NoProductInfo, 0, "Me beta2 ver.4.90.2419"},
    {Nine, 4, 90, NineBuild(4, 90, 2447), "", 0, 0, 0, NoProductInfo, 0, "Me beta2 Refresh ver.4.90.2447"},
    {Nine, 4, 90, NineBuild(4, 90, 2499), "", 0, 0, 0, NoProductInfo, 0, "Me beta3 ver.4.90.2499"},
    {Nine, 4, 90, NineBuild(4, 90, 2513), "", 0, 0, 0, NoProductInfo, 0, "Me Post beta3 ver.4.90.2513"},
    {Nine, 4, 90, NineBuild(4, 90, 2525), "", 0, 0, 0, NoProductInfo, 0, "Me RC0/1 ver.4.90.2525"},
    {Nine, 4, 90, NineBuild(4, 90, 2535), "", 0, 0, 0, NoProductInfo, 0, "Me RC2 ver.4.90.2535"},
    {Nine, 4, 90, NineBuild(4, 90, 2332), "", 0, 0, 0, NoProductInfo, 0, "Me Developer Release ver.4.90.2332"},
    {Nine, 4, 90, NineBuild(4, 90, 2460), "", 0, 0, 0, NoProductInfo, 0, "Me beta ver.4.90.2460"},
    {Nine, 4, 90, NineBuild(4, 90, 3000), "", 0, 0, 0, NoProductInfo, 0, "Millennium Edition ver.4.90.3000"},
    {Nine, 5, 0, NineBuild(5, 0, 100), "", 0, 0, 0, NoProductInfo, 0, " ver.5.00.100"},
    {VER_PLATFORM_WIN32s, 3, 10, 0x30A0000 | 153, "", 0, 0, 0, NoProductInfo, 0, "( + Win32s) ver.3.10.153"},
    {3, 1, 0, 7, "", 0, 0, 0, NoProductInfo, 0, "Unknown ver.1.00.7"},

    {Nt, 5, 0, 2031, "", 4, 0, Ws, NoProductInfo, 0, "2000(beta 3) Professsional ver.5.0.2031 "},
    {Nt, 5, 0, 2128, "", 4, 0, Ws, NoProductInfo, 0, "2000(RC2) Professsional ver.5.0.2128 "},
    {Nt, 5, 0, 2183, "", 4, 0, Srv, NoProductInfo, 0, "2000 beta Server ver.5.0.2183 "},
    {Nt, 5, 0, 2195, "", 4, 0x0082, Srv, NoProductInfo, 0, "2000 Datacenter Server ver.5.0.2195 "},
    {Nt, 5, 0, 2195, "", 4, 0x0002, Srv, NoProductInfo, 0, "2000 Advanced Server ver.5.0.2195 "},
    {Nt, 5, 0, 2195, "", 4, 0, Dc, NoProductInfo, 0, "2000 ver.5.0.2195 "},
    {Nt, 5, 1, 2296, "", 0, 0, Ws, NoProductInfo, 0, "XP(beta1) Professional ver.5.1.2296 "},
    {Nt, 5, 1, 2462, "", 0, 0, Ws, NoProductInfo, 0, "XP(beta2) Professional ver.5.1.2462 "},
    {Nt, 5, 1, 2505, "", 0, 0, Ws, NoProductInfo, 0, "XP(RC1) Professional ver.5.1.2505 "},
    {Nt, 5, 1, 2542, "", 0, 0, Ws, NoProductInfo, 0, "XP beta Professional ver.5.1.2542 "},
    {Nt, 5, 1, 2600, "", 2, 0, Ws, NoProductInfo, SM_TABLETPC, "XP Tablet PC Edition 2005 ver.5.1.2600 "},
    {Nt, 5, 1, 2600, "", 1, 0, Ws, NoProductInfo, SM_TABLETPC, "XP Tablet PC Edition ver.5.1.2600 "},
    {Nt, 5, 1, 2600, "", 2, 0, Ws, NoProductInfo, SM_MEDIACENTER, "XP Media Center Edition ver.5.1.2600 "},
    {Nt, 5, 1, 2600, "", 2, 0x0200, Ws, NoProductInfo, SM_STARTER, "XP Starter Edition ver.5.1.2600 "},
    {Nt, 5, 1, 2600, "", 3, 0x0300, Ws, NoProductInfo, 0, "XP Home Edition ver.5.1.2600 "},
    {Nt, 5, 2, 3790, "", 2, 0x8000, Srv, NoProductInfo, 0, "Home Server ver.5.2.3790 "},
    {Nt, 5, 2, 3790, "", 2, 0x0080, Srv, NoProductInfo, SM_SERVERR2, "Server 2003 R2 Datacenter ver.5.2.3790 "},
    {Nt, 5, 2, 3790, "", 2, 0x0080, Srv, NoProductInfo, 0, "Server 2003 Datacenter ver.5.2.3790 "},
    {Nt, 5, 2, 3790, "", 2, 0x0002, Srv, NoProductInfo, SM_SERVERR2, "Server 2003 R2 Enterprise Edition ver.5.2.3790 "},
    {Nt, 5, 2, 3790, "", 2, 0x0002, Srv, NoProductInfo, 0, "Server 2003 Enterprise Edition ver.5.2.3790 "},
    {Nt, 5, 2, 3790, "", 2, 0, Srv, NoProductInfo, SM_SERVERR2, "Server 2003 R2 Standard Edition ver.5.2.3790 "},
    {Nt, 5, 2, 3663, "", 0, 0, Srv, NoProductInfo, 0, "Server 2003 Standard Edition(RC1) ver.5.2.3663 "},
    {Nt, 5, 2, 3790, "", 2, 0, Dc, NoProductInfo, 0, "Server 2003 ver.5.2.3790 "},
    {Nt, 6, 0, 5384, "", 0, 0, Ws, 1, 0, "Vista(beta2) Ultimate ver.6.0.5384 "},
    {Nt, 6, 0, 5600, "", 0, 0, Ws, 2, 0, "Vista(RC1) Home Basic ver.6.0.5600 "},
    {Nt, 6, 0, 5744, "", 0, 0, Ws, 3, 0, "Vista(RC2) Home Premium ver.6.0.5744 "},
    {Nt, 6, 0, 6002, "", 2, 0, Ws, 0xABCDABCD, 0, "Vista Unlicensed ver.6.0.6002 "},
    {Nt, 6, 0, 6002, "", 2, 0, Ws, NoProductInfo, 0, "Vista ver.6.0.6002 "},
    {Nt, 6, 0, 5384, "", 0, 0, Srv, 7, 0, "Server 2008(beta2) Standard (full installation) ver.6.0.5384 "},
    {Nt, 6, 0, 6001, "", 1, 0, Dc, 8, 0, "Server 2008 Datacenter (full installation) ver.6.0.6001 "},
    {Nt, 6, 0, 6002, "", 2, 0x8000, Srv, 25, 0, "Home Server 2011 (Unknown Product:00000019) ver.6.0.6002 "},
    {Nt, 6, 1, 7000, "", 0, 0, Ws, 100, 0, "7(beta) (Unknown Product:00000064) ver.6.1.7000 "},
    {Nt, 6, 1, 7100, "", 0, 0, Ws, 48, 0, "7(RC) Professional ver.6.1.7100 "},
    {Nt, 6, 1, 7057, "", 0, 0, Ws, 48, 0, "7(beta) Professional ver.6.1.7057 "},
    {Nt, 6, 1, 7601, "Service Pack 1", 1, 0, Ws, 1, 0, "7 Ultimate ver.6.1.7601 Service Pack 1"},
    {Nt, 6, 1, 7000, "", 0, 0, Srv, 42, 0, "Server 2008 R2(beta) Microsoft Hyper-V Server ver.6.1.7000 "},
    {Nt, 6, 1, 7100, "", 0, 0, Srv, 42, 0, "Server 2008 R2(RC) Microsoft Hyper-V Server ver.6.1.7100 "},
    {Nt, 6, 1, 7600, "", 0, 0, Srv, 56, 0, "Server 2008 R2 MultiPoint Server ver.6.1.7600 "},
    {Nt, 6, 2, 8102, "", 0, 0, Ws, 0, 0, "8 Developer Preview An unknown product ver.6.2.8102 "},
    {Nt, 6, 2, 8250, "", 0, 0, Ws, 48, 0, "8 Consumer Preview Professional ver.6.2.8250 "},
    {Nt, 6, 2, 8400, "", 0, 0, Ws, 48, 0, "8 Release Preview Professional ver.6.2.8400 "},
    {Nt, 6, 2, 8200, "", 0, 0, Ws, 48, 0, "8(test) Professional ver.6.2.8200 "},
    {Nt, 6, 2, 8300, "", 0, 0, Ws, 48, 0, "8 Professional ver.6.2.8300 "},
    {Nt, 6, 2, 8102, "", 0, 0, Srv, 7, 0, "Server 2012 Developer Preview Standard (full installation) ver.6.2.8102 "},
    {Nt, 6, 2, 8250, "", 0, 0, Srv, 7, 0, "Server 2012 Consumer Preview Standard (full installation) ver.6.2.8250 "},
    {Nt, 6, 2, 8400, "", 0, 0, Srv, 7, 0, "Server 2012 Release Preview Standard (full installation) ver.6.2.8400 "},
    {Nt, 6, 2, 8200, "", 0, 0, Srv, 7, 0, "Server 2012(test) Standard (full installation) ver.6.2.8200 "},
    {Nt, 6, 2, 9200, "", 0, 0, Srv, 8, 0, "Server 2012 Datacenter (full installation) ver.6.2.9200 "},
    {Nt, 6, 3, 9600, "", 0, 0, Ws, 4, 0, "8.1 Enterprise ver.6.3.9600 "},
    {Nt, 6, 3, 9600, "", 0, 0, Srv, 7, 0, "Server 2012 R2 Standard (full installation) ver.6.3.9600 "},
    // Each release build and the build before it: 11 and the servers
    // start exactly at their first release build.
    {Nt, 10, 0, 19045, "", 0, 0, Ws, 48, 0, "10 Professional ver.10.0.19045 "},
    {Nt, 10, 0, 21999, "", 0, 0, Ws, 48, 0, "10 Professional ver.10.0.21999 "},
    {Nt, 10, 0, 22000, "", 0, 0, Ws, 48, 0, "11 Professional ver.10.0.22000 "},
    {Nt, 10, 0, 14393, "", 0, 0, Srv, 7, 0, "Server 2016 Standard (full installation) ver.10.0.14393 "},
    {Nt, 10, 0, 17762, "", 0, 0, Srv, 7, 0, "Server 2016 Standard (full installation) ver.10.0.17762 "},
    {Nt, 10, 0, 17763, "", 0, 0, Srv, 7, 0, "Server 2019 Standard (full installation) ver.10.0.17763 "},
    {Nt, 10, 0, 20347, "", 0, 0, Srv, 7, 0, "Server 2019 Standard (full installation) ver.10.0.20347 "},
    {Nt, 10, 0, 20348, "", 0, 0, Srv, 7, 0, "Server 2022 Standard (full installation) ver.10.0.20348 "},
    {Nt, 10, 0, 26099, "", 0, 0, Dc, 8, 0, "Server 2022 Datacenter (full installation) ver.10.0.26099 "},
    {Nt, 10, 0, 26100, "", 0, 0, Srv, 8, 0, "Server 2025 Datacenter (full installation) ver.10.0.26100 "},
    {Nt, 4, 0, 1381, "Service Pack 6", 6, 0, Ws, NoProductInfo, 0, "NT Workstation ver.4.0.1381 Service Pack 6"},
    {Nt, 4, 0, 1381, "Service Pack 6", 6, 0, Srv, NoProductInfo, 0, "NT Server ver.4.0.1381 Service Pack 6"},
    {Nt, 6, 4, 9841, "", 0, 0, Ws, 48, 0, "NT Professional ver.6.4.9841 "},
};

class SyntheticWindows : public ::testing::Test {
protected:
    SyntheticVersion version = {};
    VersionSwap presented{&version};
    void SetUp() override { EnterRegistrySandbox(); }
    void TearDown() override { LeaveRegistrySandbox(); }
    void Present(const VersionCase& c) {
        version = SyntheticVersion();
        OSVERSIONINFOEXA& r = version.record;
        r.dwPlatformId = c.platform;
        r.dwMajorVersion = c.major;
        r.dwMinorVersion = c.minor;
        r.dwBuildNumber = c.buildNumber;
        lstrcpynA(r.szCSDVersion, c.csd, sizeof r.szCSDVersion);
        r.wServicePackMajor = c.servicePack;
        r.wSuiteMask = c.suite;
        r.wProductType = c.productType;
        version.extendedFails = c.platform != Nt;
        version.hasProductInfo = c.productInfo != NoProductInfo;
        version.productInfoType = c.productInfo;
        if (c.metric) version.metrics[c.metric] = 1;
        version.nativeArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    }
    std::string Section(bool japanese = false) { return SectionText(WriteOperatingSystemSection, japanese); }
};

TEST_F(SyntheticWindows, NamesEveryBuildAndEdition) {
    for (const VersionCase& c : NameCases) {
        Present(c);
        std::string text = Section();
        ASSERT_EQ(0u, text.find("\r\n\r\n[Operating System]\r\nOS version    :Windows ")) << c.expected;
        EXPECT_EQ(std::string("Windows ") + c.expected, LineAfter(text, "OS version    :"));
    }
}

TEST_F(SyntheticWindows, JapaneseNamesAndTheNativeArchitecture) {
    Present({Nine, 4, 0, 2600, "", 0, 0, 0, NoProductInfo, 0, ""});
    std::string text = Section(true);
    EXPECT_EQ(0u, text.find("\r\n\r\n[オペレーティングシステム]\r\nOSバージョン  :Windows 95 (XP互換モード) ver.4.00.2600"));
    Present({3, 1, 0, 7, "", 0, 0, 0, NoProductInfo, 0, ""});
    EXPECT_EQ("Windows (不明) ver.1.00.7", LineAfter(Section(true), "OSバージョン  :"));
    EXPECT_EQ(0u, LineAfter(Section(), " Platform     :").find("Unknown Windows(3), "));
    Present({VER_PLATFORM_WIN32s, 3, 10, 0x30A0000, "", 0, 0, 0, NoProductInfo, 0, ""});
    EXPECT_EQ(0u, LineAfter(Section(), " Platform     :").find("Win32s(0), "));

    // Only a 64-bit machine makes a 5.2 workstation the x64 edition of XP.
    Present({Nt, 5, 2, 3790, "Service Pack 2", 2, 0, Ws, NoProductInfo, 0, ""});
    version.nativeArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
    EXPECT_EQ("Windows XP Professional x64 Edition ver.5.2.3790 Service Pack 2", LineAfter(Section(), "OS version    :"));
    version.nativeArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    EXPECT_EQ("Windows Server 2003 ver.5.2.3790 Service Pack 2", LineAfter(Section(), "OS version    :"));
}

TEST_F(SyntheticWindows, SafeModePlatformLocaleAndCommonControls) {
    Present({Nt, 6, 1, 7601, "Service Pack 1", 1, 0, Ws, 1, 0, ""});
    struct {
        int cleanBoot;
        const char* english;
        const char* japanese;
    } boots[] = {
        {0, "", ""},
        {1, " (Fail-safe boot)", " (セーフモード)"},
        {2, " (Fail-safe with network boot)", " (ネットワークサポートされたセーフモード)"},
        {3, "", ""},
    };
    for (const auto& boot : boots) {
        version.metrics[SM_CLEANBOOT] = boot.cleanBoot;
        EXPECT_EQ(std::string("Windows 7 Ultimate ver.6.1.7601 Service Pack 1") + boot.english,
                  LineAfter(Section(), "OS version    :"));
        EXPECT_EQ(std::string("Windows 7 Ultimate ver.6.1.7601 Service Pack 1") + boot.japanese,
                  LineAfter(Section(true), "OSバージョン  :"));
    }

    // The test prefix is a 64-bit Wine, where this 32-bit process runs
    // under WOW64.
    char wow64Folder[MAX_PATH];
    ASSERT_NE(0u, GetSystemWow64DirectoryA(wow64Folder, sizeof wow64Folder));
    // The host's machine from IsWow64Process2: only ARM64 changes the
    // text; an x64 host, or a Windows without the call, keeps WOW64's.
    struct {
        USHORT machine;
        const char* english;
        const char* japanese;
    } hosts[] = {
        {IMAGE_FILE_MACHINE_ARM64, "ARM64 (x86 emulated)", "ARM64 (このx86プロセスはエミュレーションで動作しています)"},
        {IMAGE_FILE_MACHINE_AMD64, "x64 (x86 on WOW64)", "x64 (このx86プロセスはWOW64上で動作しています)"},
        {0, "x64 (x86 on WOW64)", "x64 (このx86プロセスはWOW64上で動作しています)"},
    };
    for (const auto& host : hosts) {
        version.nativeMachine = host.machine;
        EXPECT_EQ(std::string("Windows NT(2), ") + host.english, LineAfter(Section(), " Platform     :"));
        EXPECT_EQ(std::string("Windows NT(2), ") + host.japanese, LineAfter(Section(true), " ﾌﾟﾗｯﾄﾌｫｰﾑ    :"));
    }
    // And as the report really looks the call up: the x64 host, or the
    // WOW64 text where Wine lacks the call.
    {
        ScopedSwap<VersionAccess> live(Version, LiveVersion);
        bool exported = GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process2") != NULL;
        EXPECT_EQ(exported ? IMAGE_FILE_MACHINE_AMD64 : 0, Version.nativeMachine());
        EXPECT_EQ("Windows NT(2), x64 (x86 on WOW64)", LineAfter(Section(), " Platform     :"));
    }
    std::string text = Section();
    EXPECT_EQ("United States", LineAfter(text, " Locale Info. :"));
    // The version of the library in the system folder, not of the one the
    // test program may have loaded.
    EXPECT_TRUE(std::regex_match(LineAfter(text, "Comctl32.dll  :"), std::regex("ver\\.[4-9]\\.[0-9]{2}")));
    EXPECT_EQ(0u, text.substr(text.rfind("\r\n")).find("\r\nComctl32.dll  :")) << "the block's last line";
}

TEST_F(SyntheticWindows, ExtendedBlockNeedsNt4Sp6AndShowsProductAndSuite) {
    Present({Nt, 4, 0, 1381, "Service Pack 5", 5, 0, Ws, NoProductInfo, 0, ""});
    std::string text = Section();
    EXPECT_EQ(std::string::npos, text.find("Service Pack :"));
    EXPECT_NE(std::string::npos, text.find("\r\n Platform     :Windows NT(2), "));

    Present({Nt, 5, 0, 2195, "", 4, 0, 4, NoProductInfo, 0, ""});
    text = Section();
    EXPECT_EQ("4.0", LineAfter(text, " Service Pack :"));
    EXPECT_EQ("(ProductType=0x4)", LineAfter(text, " Product Type :"));
    EXPECT_EQ("0x0 - None", LineAfter(text, " SuiteMask    :"));
    EXPECT_EQ("(ProductType=0x4)", LineAfter(Section(true), " ﾌﾟﾛﾀﾞｸﾄﾀｲﾌﾟ  :"));
    EXPECT_EQ("0x0 - なし", LineAfter(Section(true), " SuiteMask    :"));

    struct ProductLine {
        DWORD minor;
        WORD suite;
        BYTE type;
        const char* english;
        const char* japanese;
    } products[] = {
        {0, 0, Ws, "Professional", "Professional"},
        {1, 0x0200, Ws, "Home Edition", "Home Edition"},
        {1, 0, Ws, "Professional", "Professional"},
        {2, 0, Ws, "Workstation", "ワークステーション"},
        {2, 0, Dc, "Domain Controller", "ドメインコントローラ"},
        {2, 0, Srv, "Server", "サーバ"},
    };
    for (const ProductLine& p : products) {
        Present({Nt, 5, p.minor, 3000, "", 1, p.suite, p.type, NoProductInfo, 0, ""});
        EXPECT_EQ(p.english, LineAfter(Section(), " Product Type :"));
        EXPECT_EQ(p.japanese, LineAfter(Section(true), " ﾌﾟﾛﾀﾞｸﾄﾀｲﾌﾟ  :"));
    }

    // Terminal Service (0x10) is written before Communications (0x08);
    // bits without a name show only in the number.
    Present({Nt, 6, 1, 7601, "", 1, 0x0110, Srv, 7, 0, ""});
    EXPECT_EQ("0x110 - Terminal Service, Single User Terminal Service", LineAfter(Section(), " SuiteMask    :"));
    Present({Nt, 6, 1, 7601, "", 1, 0xFFFF, Srv, 7, 0, ""});
    EXPECT_EQ("0xffff - Small Business Server, Enterprise, BackOffice, Terminal Service, Communications, "
              "Small Business Server:restricted, Embeddent, Datacenter, Single User Terminal Service, "
              "Personal(Home), Web Edition, Embeddent:restricted, Security Appliance, Home Server",
              LineAfter(Section(), " SuiteMask    :"));
}

TEST_F(SyntheticWindows, MemoryAndUacLinesFollowTheVersionCode) {
    Present({Nine, 4, 10, NineBuild(4, 10, 2222), "", 0, 0, 0, NoProductInfo, 0, ""});
    std::string text = SectionText(WriteSessionSection);
    EXPECT_EQ(0u, text.find("\r\nScreen        :")) << text;
    EXPECT_EQ(std::string::npos, text.find("UAC"));

    Present({Nt, 5, 1, 2600, "", 3, 0, Ws, NoProductInfo, 0, ""});
    text = SectionText(WriteSessionSection);
    EXPECT_EQ(0u, text.find("\r\nPhysical Mem. :"));
    EXPECT_EQ(std::string::npos, text.find("UAC"));
}
