#include "envreport/os/os_section.h"

#include <cstdlib>

#include "common/session_access.h"
#include "envreport/os/common_controls.h"
#include "envreport/os/dotnet_versions.h"
#include "envreport/os/internet_explorer.h"
#include "envreport/os/version_access.h"
#include "envreport/os/windows_names.h"
#include "envreport/os/windows_release.h"
#include "envreport/os/windows_version.h"
#include "envreport/registry_values.h"
#include "envreport/report_language.h"

static void AppendVersionNumbers(ReportBuffer& report, const BasicVersion& version) {
    report.AppendFormat(version.platformId == VER_PLATFORM_WIN32_NT ? " ver.%u.%u.%u " : " ver.%u.%02u.%u",
                        (unsigned)version.major, (unsigned)version.minor, (unsigned)version.build);
    report.Append(version.csdVersion);
}

static void AppendSafeMode(ReportBuffer& report) {
    switch (Session.getSystemMetrics(SM_CLEANBOOT)) {
    case 1:
        report.Append(Pick(" (セーフモード)", " (Fail-safe boot)"));
        break;
    case 2:
        report.Append(Pick(" (ネットワークサポートされたセーフモード)", " (Fail-safe with network boot)"));
        break;
    }
}

static void AppendPlusVersion(ReportBuffer& report) {
    char* plus =
        ReadRegStringOfKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "Plus! VersionNumber");
    if (!plus) return;
    report.Append("\r\nPlus!version :");
    report.Append(plus);
    free(plus);
}

static const char* PlatformName(DWORD platformId) {
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return "Win32s";
    case VER_PLATFORM_WIN32_WINDOWS:
        return "Windows 9x";
    case VER_PLATFORM_WIN32_NT:
        return "Windows NT";
    }
    return "Unknown Windows";
}

// An ARM64 host runs this x86 program through emulation; its WOW64 answer
// alone would call it x64.
static const char* ProcessorPlatform() {
    if (Version.nativeMachine() == IMAGE_FILE_MACHINE_ARM64)
        return Pick("ARM64 (このx86プロセスはエミュレーションで動作しています)", "ARM64 (x86 emulated)");
    return IsWow64() ? Pick("x64 (このx86プロセスはWOW64上で動作しています)", "x64 (x86 on WOW64)") : "x86";
}

static void AppendPlatform(ReportBuffer& report, DWORD platformId) {
    report.Append(Pick("\r\n ﾌﾟﾗｯﾄﾌｫｰﾑ    :", "\r\n Platform     :"));
    report.Append(PlatformName(platformId));
    report.AppendFormat("(%d), ", (int)platformId);
    report.Append(ProcessorPlatform());
}

static void AppendProductType(ReportBuffer& report, const OSVERSIONINFOEXA& extended, unsigned versionCode) {
    report.Append(Pick("\r\n ﾌﾟﾛﾀﾞｸﾄﾀｲﾌﾟ  :", "\r\n Product Type :"));
    switch (extended.wProductType) {
    case VER_NT_WORKSTATION:
        if (versionCode == 500)
            report.Append("Professional");
        else if (versionCode == 501)
            report.Append((extended.wSuiteMask & VER_SUITE_PERSONAL) ? "Home Edition" : "Professional");
        else
            report.Append(Pick("ワークステーション", "Workstation"));
        break;
    case VER_NT_DOMAIN_CONTROLLER:
        report.Append(Pick("ドメインコントローラ", "Domain Controller"));
        break;
    case VER_NT_SERVER:
        report.Append(Pick("サーバ", "Server"));
        break;
    default:
        report.AppendFormat("(ProductType=0x%x)", (unsigned)extended.wProductType);
        break;
    }
}

struct SuiteName {
    WORD bit;
    const char* text;
};

// Writing order; Terminal Service comes before Communications.
static const SuiteName SuiteNames[] = {
    {0x0001, "Small Business Server"},
    {0x0002, "Enterprise"},
    {0x0004, "BackOffice"},
    {0x0010, "Terminal Service"},
    {0x0008, "Communications"},
    {0x0020, "Small Business Server:restricted"},
    {0x0040, "Embeddent"},  // spelt so on purpose, as in reports already sent in
    {0x0080, "Datacenter"},
    {0x0100, "Single User Terminal Service"},
    {0x0200, "Personal(Home)"},
    {0x0400, "Web Edition"},
    {0x0800, "Embeddent:restricted"},  // likewise
    {0x1000, "Security Appliance"},
    {0x8000, "Home Server"},
};

static void AppendSuiteMask(ReportBuffer& report, WORD suiteMask) {
    report.Append("\r\n SuiteMask    :");
    report.AppendFormat("0x%x - ", (unsigned)suiteMask);
    if (suiteMask == 0) {
        report.Append(Pick("なし", "None"));
        return;
    }
    const char* separator = "";
    for (const SuiteName& suite : SuiteNames) {
        if (!(suiteMask & suite.bit)) continue;
        report.Append(separator);
        report.Append(suite.text);
        separator = ", ";
    }
}

static void AppendLocale(ReportBuffer& report) {
    report.Append(Pick("\r\n 既定地域情報 :", "\r\n Locale Info. :"));
    char country[260];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, country, sizeof country)) report.Append(country);
}

// Service pack, product and suite: only NT 4.0 SP6 and later can say.
static void AppendExtendedBlock(ReportBuffer& report, unsigned versionCode) {
    OSVERSIONINFOEXA extended = ReadExtendedVersion();
    if (!(extended.dwMajorVersion > 4 || (extended.dwMajorVersion == 4 && extended.wServicePackMajor >= 6))) return;
    report.Append(Pick("\r\n ｻｰﾋﾞｽﾊﾟｯｸ    :", "\r\n Service Pack :"));
    report.AppendFormat("%u.%u", (unsigned)extended.wServicePackMajor, (unsigned)extended.wServicePackMinor);
    AppendProductType(report, extended, versionCode);
    AppendSuiteMask(report, extended.wSuiteMask);
    AppendLocale(report);
}

static void AppendCommonControlsVersion(ReportBuffer& report) {
    unsigned version = CommonControlsVersionOr400();
    report.AppendFormat("\r\nComctl32.dll  :ver.%u.%02u", version / 100, version % 100);
}

void WriteOperatingSystemSection(ReportBuffer& report, ReportContext&) {
    BasicVersion version;
    ReadBasicVersion(version);
    report.Append(Pick("\r\n\r\n[オペレーティングシステム]\r\nOSバージョン  :Windows ",
                       "\r\n\r\n[Operating System]\r\nOS version    :Windows "));
    AppendWindowsName(report, version);
    AppendVersionNumbers(report, version);
    AppendSafeMode(report);
    AppendPlusVersion(report);
    AppendPlatform(report, version.platformId);
    AppendReleaseLine(report, version);
    AppendExtendedBlock(report, version.versionCode);
    AppendInternetExplorerVersion(report);
    AppendDotNetFrameworkVersions(report);
    AppendCommonControlsVersion(report);
}
