#include "envreport/os/windows_release.h"

#include <cstdlib>

#include "envreport/registry_values.h"
#include "envreport/report_language.h"

static const char CurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// The value, or null when it is missing or empty.
static char* ReadNonEmptyValue(const char* valueName) {
    char* text = ReadRegStringOfKey(HKEY_LOCAL_MACHINE, CurrentVersionKey, valueName);
    if (text && !text[0]) {
        free(text);
        return NULL;
    }
    return text;
}

// DisplayVersion ("23H2") from 20H2 on; before it ReleaseId ("2009").
static char* ReadReleaseName() {
    char* name = ReadNonEmptyValue("DisplayVersion");
    return name ? name : ReadNonEmptyValue("ReleaseId");
}

// UBR: the monthly update's number after the build.
static bool ReadUpdateRevision(DWORD& revision) {
    HKEY key = OpenRegKeyForQuery(HKEY_LOCAL_MACHINE, CurrentVersionKey);
    if (!key) return false;
    bool found = QueryRegDword(key, "UBR", revision);
    RegCloseKey(key);
    return found;
}

void AppendReleaseLine(ReportBuffer& report, const BasicVersion& version) {
    if (version.platformId != VER_PLATFORM_WIN32_NT || version.major < 10) return;
    report.Append(Pick("\r\n リリース     :", "\r\n Release      :"));
    char* name = ReadReleaseName();
    if (name) {
        report.Append(name);
        report.Append(", ");
        free(name);
    }
    report.AppendFormat(Pick("ビルド %u", "build %u"), (unsigned)version.build);
    DWORD revision;
    if (ReadUpdateRevision(revision)) report.AppendFormat(".%u", (unsigned)revision);
}
