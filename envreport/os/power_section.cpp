#include "envreport/os/power_section.h"

#include "envreport/os/power_lines.h"
#include "envreport/os/screen_saver_lines.h"
#include "envreport/os/shortcut_lines.h"
#include "envreport/report_language.h"

void WritePowerSection(ReportBuffer& report, ReportContext&) {
    report.Append(Pick("\r\n\r\n[電源とアイドル]", "\r\n\r\n[Power and Idle]"));
    AppendPowerLines(report);
    AppendScreenSaverLine(report);
    AppendInactivityLockLine(report);
    AppendShortcutLines(report);
}
