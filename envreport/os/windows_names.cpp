#include "envreport/os/windows_names.h"

#include "common/session_access.h"
#include "envreport/os/product_editions.h"
#include "envreport/os/version_access.h"
#include "envreport/report_language.h"

// Build-number lists: the first matching row names the build. Every list
// ends with an AnyBuild row.
enum BuildTest { BuildIs, BuildBelow, CompatibilityMode, AnyBuild };

struct BuildName {
    BuildTest test;
    DWORD build;
    const char* english;
    const char* japanese;  // null: the English text in both languages
};

static const BuildName Windows95Names[] = {
    {BuildIs, 1111, "95 OSR2", NULL},
    {BuildIs, 1212, "95 OSR2.1", NULL},
    {BuildIs, 1213, "95 OSR2.1", NULL},
    {BuildIs, 1214, "95 OSR2.1/2.5", NULL},
    {CompatibilityMode, 0, "95 (Windows XP)", "95 (XP互換モード)"},
    {BuildBelow, 950, "95 beta", NULL},
    {AnyBuild, 0, "95", NULL},
};

static const BuildName Windows98Names[] = {
    {BuildIs, 1351, "98 Developer Release", NULL},
    {BuildIs, 1998, "98", NULL},
    {BuildBelow, 1998, "98 beta", NULL},
    {BuildBelow, 2222, "98SE beta", NULL},
    {AnyBuild, 0, "98 Second Edition", NULL},
};

static const BuildName WindowsMeNames[] = {
    {BuildIs, 2368, "Me beta1", NULL},
    {BuildIs, 2410, "Me beta2 RC", NULL},
    {BuildIs, 2419, "Me beta2", NULL},
    {BuildIs, 2447, "Me beta2 Refresh", NULL},
    {BuildIs, 2499, "Me beta3", NULL},
    {BuildIs, 2513, "Me Post beta3", NULL},
    {BuildIs, 2525, "Me RC0/1", NULL},
    {BuildIs, 2535, "Me RC2", NULL},
    {BuildBelow, 2368, "Me Developer Release", NULL},
    {BuildBelow, 3000, "Me beta", NULL},
    {AnyBuild, 0, "Millennium Edition", NULL},
};

static const BuildName NoName[] = {{AnyBuild, 0, "", NULL}};

static const BuildName Windows2000Names[] = {
    {BuildIs, 2031, "2000(beta 3)", NULL},
    {BuildIs, 2128, "2000(RC2)", NULL},
    {BuildBelow, 2195, "2000 beta", NULL},
    {AnyBuild, 0, "2000", NULL},
};

static const BuildName WindowsXpNames[] = {
    {BuildIs, 2296, "XP(beta1)", NULL},
    {BuildIs, 2462, "XP(beta2)", NULL},
    {BuildIs, 2505, "XP(RC1)", NULL},
    {BuildBelow, 2600, "XP beta", NULL},
    {AnyBuild, 0, "XP", NULL},
};

static const BuildName VistaNames[] = {
    {BuildIs, 5384, "Vista(beta2)", NULL},
    {BuildIs, 5600, "Vista(RC1)", NULL},
    {BuildIs, 5744, "Vista(RC2)", NULL},
    {AnyBuild, 0, "Vista", NULL},
};

static const BuildName Server2008Names[] = {
    {BuildIs, 5384, "Server 2008(beta2)", NULL},
    {AnyBuild, 0, "Server 2008", NULL},
};

static const BuildName Windows7Names[] = {
    {BuildIs, 7000, "7(beta)", NULL},
    {BuildIs, 7100, "7(RC)", NULL},
    {BuildBelow, 7600, "7(beta)", NULL},
    {AnyBuild, 0, "7", NULL},
};

static const BuildName Server2008R2Names[] = {
    {BuildIs, 7000, "Server 2008 R2(beta)", NULL},
    {BuildIs, 7100, "Server 2008 R2(RC)", NULL},
    {AnyBuild, 0, "Server 2008 R2", NULL},
};

static const BuildName Windows8Names[] = {
    {BuildIs, 8102, "8 Developer Preview", NULL},
    {BuildIs, 8250, "8 Consumer Preview", NULL},
    {BuildIs, 8400, "8 Release Preview", NULL},
    {BuildBelow, 8250, "8(test)", NULL},
    {AnyBuild, 0, "8", NULL},
};

static const BuildName Server2012Names[] = {
    {BuildIs, 8102, "Server 2012 Developer Preview", NULL},
    {BuildIs, 8250, "Server 2012 Consumer Preview", NULL},
    {BuildIs, 8400, "Server 2012 Release Preview", NULL},
    {BuildBelow, 8250, "Server 2012(test)", NULL},
    {AnyBuild, 0, "Server 2012", NULL},
};

static const BuildName Windows81Names[] = {{AnyBuild, 0, "8.1", NULL}};
static const BuildName Server2012R2Names[] = {{AnyBuild, 0, "Server 2012 R2", NULL}};

// Windows 10 and 11 share version 10.0; 11 starts at build 22000.
static const BuildName Windows10Names[] = {
    {BuildBelow, 22000, "10", NULL},
    {AnyBuild, 0, "11", NULL},
};

// Servers of version 10.0 by their release builds: 2016 is 14393, 2019
// 17763, 2022 20348, 2025 26100.
static const BuildName Server2016Names[] = {
    {BuildBelow, 17763, "Server 2016", NULL},
    {BuildBelow, 20348, "Server 2019", NULL},
    {BuildBelow, 26100, "Server 2022", NULL},
    {AnyBuild, 0, "Server 2025", NULL},
};

static const char* NameOfBuild(const BuildName* names, DWORD build, bool compatibilityMode) {
    for (;; ++names) {
        bool matches = names->test == AnyBuild || (names->test == BuildIs && build == names->build) ||
                       (names->test == BuildBelow && build < names->build) ||
                       (names->test == CompatibilityMode && compatibilityMode);
        if (matches) return Pick(names->japanese ? names->japanese : names->english, names->english);
    }
}

static const BuildName* Windows9xNames(unsigned versionCode) {
    if (versionCode < 410) return Windows95Names;
    if (versionCode < 490) return Windows98Names;
    if (versionCode < 500) return WindowsMeNames;
    return NoName;
}

// Versions whose name depends only on workstation or server and the build;
// their edition comes from GetProductInfo.
struct ProductInfoFamily {
    unsigned versionCode;
    const BuildName* workstation;
    const BuildName* server;
};

static const ProductInfoFamily ProductInfoFamilies[] = {
    {600, VistaNames, Server2008Names},     {601, Windows7Names, Server2008R2Names},
    {602, Windows8Names, Server2012Names},  {603, Windows81Names, Server2012R2Names},
    {1000, Windows10Names, Server2016Names},
};

static bool HasSuite(const OSVERSIONINFOEXA& extended, WORD bit) {
    return (extended.wSuiteMask & bit) != 0;
}

static const char* ProductInfoSuffix(const OSVERSIONINFOEXA& extended) {
    const char* suffix = "";
    GetProductInfoSuffix(extended, suffix);
    return suffix;
}

static const char* Windows2000Suffix(const OSVERSIONINFOEXA& extended) {
    // "Professsional" is spelt so on purpose: reports already sent in use it.
    if (extended.wProductType == VER_NT_WORKSTATION) return " Professsional";
    if (HasSuite(extended, VER_SUITE_DATACENTER)) return " Datacenter Server";
    if (HasSuite(extended, VER_SUITE_ENTERPRISE)) return " Advanced Server";
    if (extended.wProductType == VER_NT_SERVER) return " Server";
    return "";
}

static const char* WindowsXpSuffix(const OSVERSIONINFOEXA& extended) {
    if (Session.getSystemMetrics(SM_TABLETPC))
        return extended.wServicePackMajor >= 2 ? " Tablet PC Edition 2005" : " Tablet PC Edition";
    if (Session.getSystemMetrics(SM_MEDIACENTER)) return " Media Center Edition";
    if (Session.getSystemMetrics(SM_STARTER)) return " Starter Edition";
    if (HasSuite(extended, VER_SUITE_PERSONAL)) return " Home Edition";
    return " Professional";
}

static const char* Server2003Name(const OSVERSIONINFOEXA& extended) {
    bool r2 = Session.getSystemMetrics(SM_SERVERR2) != 0;
    if (HasSuite(extended, 0x8000)) return "Home Server";
    if (HasSuite(extended, VER_SUITE_DATACENTER)) return r2 ? "Server 2003 R2 Datacenter" : "Server 2003 Datacenter";
    if (HasSuite(extended, VER_SUITE_ENTERPRISE))
        return r2 ? "Server 2003 R2 Enterprise Edition" : "Server 2003 Enterprise Edition";
    if (extended.wProductType == VER_NT_SERVER)
        return r2 ? "Server 2003 R2 Standard Edition" : "Server 2003 Standard Edition";
    if (extended.wProductType == VER_NT_WORKSTATION && Version.nativeArchitecture() == PROCESSOR_ARCHITECTURE_AMD64)
        return "XP Professional x64 Edition";
    return "Server 2003";
}

static const char* OtherNtSuffix(const OSVERSIONINFOEXA& extended) {
    if (extended.dwMajorVersion >= 6) return ProductInfoSuffix(extended);
    if (extended.wProductType == VER_NT_WORKSTATION) return " Workstation";
    if (extended.wProductType == VER_NT_SERVER) return " Server";
    return "";
}

static void AppendNtName(ReportBuffer& report, const BasicVersion& version) {
    OSVERSIONINFOEXA extended = ReadExtendedVersion();
    bool workstation = extended.wProductType == VER_NT_WORKSTATION;
    switch (version.versionCode) {
    case 500:
        report.Append(NameOfBuild(Windows2000Names, version.build, false));
        report.Append(Windows2000Suffix(extended));
        return;
    case 501:
        report.Append(NameOfBuild(WindowsXpNames, version.build, false));
        report.Append(WindowsXpSuffix(extended));
        return;
    case 502:
        report.Append(Server2003Name(extended));
        report.Append(version.build == 3663 ? "(RC1)" : "");
        return;
    }
    for (const ProductInfoFamily& family : ProductInfoFamilies) {
        if (family.versionCode != version.versionCode) continue;
        if (version.versionCode == 600 && HasSuite(extended, 0x8000))
            report.Append("Home Server 2011");
        else
            report.Append(NameOfBuild(workstation ? family.workstation : family.server, version.build, false));
        report.Append(ProductInfoSuffix(extended));
        return;
    }
    report.Append("NT");
    report.Append(OtherNtSuffix(extended));
}

void AppendWindowsName(ReportBuffer& report, const BasicVersion& version) {
    switch (version.platformId) {
    case VER_PLATFORM_WIN32s:
        report.Append("( + Win32s)");
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        report.Append(NameOfBuild(Windows9xNames(version.versionCode), version.build, version.compatibilityMode));
        break;
    case VER_PLATFORM_WIN32_NT:
        AppendNtName(report, version);
        break;
    default:
        report.Append(Pick("(不明)", "Unknown"));
        break;
    }
}
