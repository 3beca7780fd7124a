#include "envreport/os/internet_explorer.h"

#include <cstdlib>
#include <cstring>

#include "envreport/registry_values.h"
#include "envreport/report_language.h"

static const char InternetExplorerKey[] = "Software\\Microsoft\\Internet Explorer";

static const char* Label() {
    return Pick("\r\nIEバージョン  :", "\r\nIE version    :");
}

struct TextPair {
    const char* value;
    const char* text;
};

// The releases before IE 4 wrote no "Version".
static const TextPair BuildVersions[] = {
    {"520", "2.0"}, {"1155", "3.0"}, {"1158", "3.0 for OSR2"}, {"1215", "3.01"}, {"1300", "3.02/3.02a"},
};
static const TextPair IVerVersions[] = {{"102", "2.0"}, {"103", "3.0x"}};
static const TextPair FirstReleaseVariants[] = {{"100", " for Windows 95"}, {"101", " for Windows NT 4.0"}};

static const char* Lookup(const TextPair* pairs, size_t count, const char* value, const char* otherwise) {
    if (value)
        for (size_t i = 0; i < count; ++i)
            if (strcmp(pairs[i].value, value) == 0) return pairs[i].text;
    return otherwise;
}

static bool AppendVersionValue(ReportBuffer& report) {
    char* version = ReadRegStringOfKey(HKEY_LOCAL_MACHINE, InternetExplorerKey, "Version");
    if (!version) return false;
    report.Append(Label());
    report.Append(version);
    free(version);
    return true;
}

static void AppendFromBuildAndIVer(ReportBuffer& report, const char* build, const char* iver) {
    if (build) {
        report.Append(Label());
        const char* fromIVer = Lookup(IVerVersions, sizeof IVerVersions / sizeof IVerVersions[0], iver, "1.0/2.0/3.0x");
        report.Append(Lookup(BuildVersions, sizeof BuildVersions / sizeof BuildVersions[0], build, fromIVer));
    } else if (iver) {
        report.Append(Pick("\r\nIEバージョン  :1.0", "\r\nIE version    :1.0"));
        report.Append(Lookup(FirstReleaseVariants, sizeof FirstReleaseVariants / sizeof FirstReleaseVariants[0], iver,
                             "/2.0/3.0"));
    }
}

void AppendInternetExplorerVersion(ReportBuffer& report) {
    if (AppendVersionValue(report)) return;
    HKEY key = OpenRegKeyForQuery(HKEY_LOCAL_MACHINE, InternetExplorerKey);
    if (!key) return;
    char* build = ReadRegString(key, "Build");
    char* iver = ReadRegString(key, "IVer");
    RegCloseKey(key);
    AppendFromBuildAndIVer(report, build, iver);
    free(build);
    free(iver);
}
