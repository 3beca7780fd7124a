#include "envreport/os/dotnet_versions.h"

#include <cstdlib>
#include <cstring>

#include "envreport/registry_values.h"
#include "envreport/report_language.h"

static const char SetupKey[] = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\";

// The entries written so far decide the separator and the "none" text.
struct EntryList {
    ReportBuffer* report;
    int count;
};

static void BeginEntry(EntryList& list) {
    if (list.count++ > 0) list.report->Append(", ");
}

static bool IsInstalled(HKEY key) {
    return ReadRegDword(key, "Install") == 1;
}

// A version key's Japanese language pack, under "1041" or "Setup\1041";
// NULL when neither opens or the pack is not installed.
static HKEY OpenJapaneseLanguagePack(HKEY versionKey) {
    HKEY pack = OpenRegKeyForQuery(versionKey, "1041");
    if (!pack) pack = OpenRegKeyForQuery(versionKey, "Setup\\1041");
    if (pack && !IsInstalled(pack)) {
        RegCloseKey(pack);
        pack = NULL;
    }
    return pack;
}

static HKEY OpenInstalledVersion(const char* version) {
    char path[128];
    wsprintfA(path, "%s%s", SetupKey, version);
    HKEY key = OpenRegKeyForQuery(HKEY_LOCAL_MACHINE, path);
    if (key && !IsInstalled(key)) {
        RegCloseKey(key);
        key = NULL;
    }
    return key;
}

static const char* Version4Text(const char* version) {
    if (version && strncmp(version, "4.0", 3) == 0) return "4.0";
    if (version && strncmp(version, "4.5", 3) == 0) return "4.5";
    return "4";
}

// "4.5(Full)[JP]"; false when that profile is not installed.
static bool AppendVersion4(EntryList& list, const char* profile) {
    char name[16];
    wsprintfA(name, "v4\\%s", profile);
    HKEY key = OpenInstalledVersion(name);
    if (!key) return false;
    char* version = ReadRegString(key, "Version");
    HKEY pack = OpenJapaneseLanguagePack(key);
    RegCloseKey(key);
    BeginEntry(list);
    list.report->Append(Version4Text(version));
    list.report->AppendFormat("(%s)", profile);
    free(version);
    if (pack) {
        list.report->Append(Pick("[日本語]", "[JP]"));
        RegCloseKey(pack);
    }
    return true;
}

// "3.5(SP1)[JPSP1]": the version, its service pack, and its language
// pack with the pack's own service pack.
static void AppendServicePackedVersion(EntryList& list, const char* keyName, const char* text) {
    HKEY key = OpenInstalledVersion(keyName);
    if (!key) return;
    DWORD servicePack = ReadRegDword(key, "SP");
    HKEY pack = OpenJapaneseLanguagePack(key);
    RegCloseKey(key);
    BeginEntry(list);
    list.report->Append(text);
    if (servicePack) list.report->AppendFormat("(SP%d)", (int)servicePack);
    if (!pack) return;
    DWORD packServicePack = ReadRegDword(pack, "SP");
    RegCloseKey(pack);
    list.report->Append(Pick("[日本語", "[JP"));
    if (packServicePack) list.report->AppendFormat("SP%d", (int)packServicePack);
    list.report->Append("]");
}

static bool IsVersion1Installed() {
    char* policy = ReadRegStringOfKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\.NETFramework\\Policy\\v1.0", "3705");
    bool installed = policy && strcmp(policy, "3321-3705") == 0;
    free(policy);
    return installed;
}

// 1.0 keeps its service pack in the Active Setup component's version,
// "1,0,3705,N"; only a complete prefix and a tenth character make one.
static void AppendVersion1ServicePack(ReportBuffer& report) {
    HKEY key = OpenRegKeyForQuery(
        HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\{78705f0d-e8db-4b2d-8193-982bdda15ecd}");
    if (!key)
        key = OpenRegKeyForQuery(HKEY_LOCAL_MACHINE,
                                 "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\{FDC11A6F-17D1-48f9-9EA3-9051954BAA24}");
    if (!key) return;
    char* version = ReadRegString(key, "Version");
    RegCloseKey(key);
    if (version && strncmp(version, "1,0,3705,", 9) == 0 && version[9] != '\0')
        report.AppendFormat("(SP%c)", version[9]);
    free(version);
}

static void AppendVersion1(EntryList& list) {
    if (!IsVersion1Installed()) return;
    BeginEntry(list);
    list.report->Append("1.0");
    AppendVersion1ServicePack(*list.report);
}

void AppendDotNetFrameworkVersions(ReportBuffer& report) {
    report.Append("\r\n.NET Framework:");
    EntryList list = {&report, 0};
    if (!AppendVersion4(list, "Full")) AppendVersion4(list, "Client");
    AppendServicePackedVersion(list, "v3.5", "3.5");
    AppendServicePackedVersion(list, "v3.0", "3.0");
    AppendServicePackedVersion(list, "v2.0.50727", "2.0");
    AppendServicePackedVersion(list, "v1.1.4322", "1.1");
    AppendVersion1(list);
    if (list.count == 0) report.Append(Pick("なし", "None"));
}
