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
    LocalText name;  // japanese null: the English text in both languages
};

static const BuildName Windows95Names[] = {
    {BuildIs, 1111, {NULL, "95 OSR2"}},
    {BuildIs, 1212, {NULL, "95 OSR2.1"}},
    {BuildIs, 1213, {NULL, "95 OSR2.1"}},
    {BuildIs, 1214, {NULL, "95 OSR2.1/2.5"}},
    {CompatibilityMode, 0, {"95 (XP互換モード)", "95 (Windows XP)"}},
    {BuildBelow, 950, {NULL, "95 beta"}},
    {AnyBuild, 0, {NULL, "95"}},
};

static const BuildName Windows98Names[] = {
    {BuildIs, 1351, {NULL, "98 Developer Release"}},
    {BuildIs, 1998, {NULL, "98"}},
    {BuildBelow, 1998, {NULL, "98 beta"}},
    {BuildBelow, 2222, {NULL, "98SE beta"}},
    {AnyBuild, 0, {NULL, "98 Second Edition"}},
};

static const BuildName WindowsMeNames[] = {
    {BuildIs, 2368, {NULL, "Me beta1"}},
    {BuildIs, 2410, {NULL, "Me beta2 RC"}},
    {BuildIs, 2419, {NULL, "Me beta2"}},
    {BuildIs, 2447, {NULL, "Me beta2 Refresh"}},
    {BuildIs, 2499, {NULL, "Me beta3"}},
    {BuildIs, 2513, {NULL, "Me Post beta3"}},
    {BuildIs, 2525, {NULL, "Me RC0/1"}},
    {BuildIs, 2535, {NULL, "Me RC2"}},
    {BuildBelow, 2368, {NULL, "Me Developer Release"}},
    {BuildBelow, 3000, {NULL, "Me beta"}},
    {AnyBuild, 0, {NULL, "Millennium Edition"}},
};

static const BuildName NoName[] = {{AnyBuild, 0, {NULL, ""}}};

static const BuildName Windows2000Names[] = {
    {BuildIs, 2031, {NULL, "2000(beta 3)"}},
    {BuildIs, 2128, {NULL, "2000(RC2)"}},
    {BuildBelow, 2195, {NULL, "2000 beta"}},
    {AnyBuild, 0, {NULL, "2000"}},
};

static const BuildName WindowsXpNames[] = {
    {BuildIs, 2296, {NULL, "XP(beta1)"}},
    {BuildIs, 2462, {NULL, "XP(beta2)"}},
    {BuildIs, 2505, {NULL, "XP(RC1)"}},
    {BuildBelow, 2600, {NULL, "XP beta"}},
    {AnyBuild, 0, {NULL, "XP"}},
};

static const BuildName VistaNames[] = {
    {BuildIs, 5384, {NULL, "Vista(beta2)"}},
    {BuildIs, 5600, {NULL, "Vista(RC1)"}},
    {BuildIs, 5744, {NULL, "Vista(RC2)"}},
    {AnyBuild, 0, {NULL, "Vista"}},
};

static const BuildName Server2008Names[] = {
    {BuildIs, 5384, {NULL, "Server 2008(beta2)"}},
    {AnyBuild, 0, {NULL, "Server 2008"}},
};

static const BuildName Windows7Names[] = {
    {BuildIs, 7000, {NULL, "7(beta)"}},
    {BuildIs, 7100, {NULL, "7(RC)"}},
    {BuildBelow, 7600, {NULL, "7(beta)"}},
    {AnyBuild, 0, {NULL, "7"}},
};

static const BuildName Server2008R2Names[] = {
    {BuildIs, 7000, {NULL, "Server 2008 R2(beta)"}},
    {BuildIs, 7100, {NULL, "Server 2008 R2(RC)"}},
    {AnyBuild, 0, {NULL, "Server 2008 R2"}},
};

static const BuildName Windows8Names[] = {
    {BuildIs, 8102, {NULL, "8 Developer Preview"}},
    {BuildIs, 8250, {NULL, "8 Consumer Preview"}},
    {BuildIs, 8400, {NULL, "8 Release Preview"}},
    {BuildBelow, 8250, {NULL, "8(test)"}},
    {AnyBuild, 0, {NULL, "8"}},
};

static const BuildName Server2012Names[] = {
    {BuildIs, 8102, {NULL, "Server 2012 Developer Preview"}},
    {BuildIs, 8250, {NULL, "Server 2012 Consumer Preview"}},
    {BuildIs, 8400, {NULL, "Server 2012 Release Preview"}},
    {BuildBelow, 8250, {NULL, "Server 2012(test)"}},
    {AnyBuild, 0, {NULL, "Server 2012"}},
};

static const BuildName Windows81Names[] = {{AnyBuild, 0, {NULL, "8.1"}}};
static const BuildName Server2012R2Names[] = {{AnyBuild, 0, {NULL, "Server 2012 R2"}}};

// Windows 10 and 11 share version 10.0; 11 starts at build 22000.
static const BuildName Windows10Names[] = {
    {BuildBelow, 22000, {NULL, "10"}},
    {AnyBuild, 0, {NULL, "11"}},
};

// Servers of version 10.0 by their release builds: 2016 is 14393, 2019
// 17763, 2022 20348, 2025 26100.
static const BuildName Server2016Names[] = {
    {BuildBelow, 17763, {NULL, "Server 2016"}},
    {BuildBelow, 20348, {NULL, "Server 2019"}},
    {BuildBelow, 26100, {NULL, "Server 2022"}},
    {AnyBuild, 0, {NULL, "Server 2025"}},
};

static const char* NameOfBuild(const BuildName* names, DWORD build, bool compatibilityMode) {
    for (;; ++names) {
        bool matches = names->test == AnyBuild || (names->test == BuildIs && build == names->build) ||
                       (names->test == BuildBelow && build < names->build) ||
                       (names->test == CompatibilityMode && compatibilityMode);
        if (matches) return names->name.japanese ? Pick(names->name) : names->name.english;
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
