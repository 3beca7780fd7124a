#include "envreport/os/policy_settings.h"

#include "envreport/os/windows_version.h"
#include "envreport/registry_values.h"
#include "envreport/report_language.h"

HKEY OpenPolicyKey(HKEY root, const char* subkey) {
    return OpenRegKeyForQuery(root, subkey, GetWindowsVersionCode() >= 501 ? KEY_WOW64_64KEY : 0);
}

void AppendPolicyMark(ReportBuffer& report) {
    report.Append(Pick(" (ポリシー)", " (policy)"));
}
