#include "envreport/os/power_lines.h"

#include <cstddef>

#include "envreport/os/idle_duration.h"
#include "envreport/os/power_access.h"
#include "envreport/report_language.h"

static const BYTE BatteryFlagsUnknown = 255;
static const BYTE BatteryCharging = 8;
static const BYTE NoSystemBattery = 128;

static const char* PowerSourceName(BYTE acLineStatus) {
    if (acLineStatus == 1) return Pick("AC電源", "AC");
    if (acLineStatus == 0) return Pick("バッテリー", "Battery");
    return Pick("不明", "Unknown");
}

static void AppendPowerSource(ReportBuffer& report) {
    SYSTEM_POWER_STATUS status = {};
    if (!Power.systemPowerStatus(&status)) return;
    report.Append(Pick("\r\n電源          :", "\r\nPower Source  :"));
    report.Append(PowerSourceName(status.ACLineStatus));
    if (status.BatteryFlag == BatteryFlagsUnknown) return;
    if (status.BatteryFlag & NoSystemBattery) {
        report.Append(Pick("、バッテリーなし", ", no battery"));
        return;
    }
    if (status.BatteryLifePercent > 100) return;
    report.AppendFormat(Pick("、バッテリー残量 %u%%", ", battery %u%%"), (unsigned)status.BatteryLifePercent);
    if (status.BatteryFlag & BatteryCharging) report.Append(Pick(" (充電中)", " (charging)"));
}

static const GUID SleepSubgroup = {0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
static const GUID StandbyTimeout = {0x29f6c1db, 0x86da, 0x48c5, {0x9f, 0xdb, 0xf2, 0xb6, 0x7b, 0x1f, 0x44, 0xda}};
static const GUID HibernateTimeout = {0x9d7815a6, 0x7ee4, 0x497e, {0x88, 0x88, 0x51, 0x5a, 0x05, 0xf0, 0x23, 0x64}};
static const GUID VideoSubgroup = {0x7516b95f, 0xf776, 0x4464, {0x8c, 0x53, 0x06, 0x16, 0x7f, 0x40, 0xcc, 0x99}};
static const GUID VideoPowerDownTimeout = {0x3c0bc021, 0xc8a8, 0x4e07,
                                           {0xa9, 0x73, 0x6b, 0x14, 0xcb, 0xcb, 0x2b, 0x7e}};
static const GUID ConsoleLockDisplayTimeout = {0x8ec4b3a5, 0x6868, 0x48c2,
                                               {0xbe, 0x75, 0x4f, 0x30, 0x44, 0xbe, 0x88, 0xa7}};

struct PlanTimeout {
    const char* japanese;
    const char* english;
    const GUID* subgroup;
    const GUID* setting;
};

static const PlanTimeout PlanTimeouts[] = {
    {"\r\n スリープ     :", "\r\n Sleep        :", &SleepSubgroup, &StandbyTimeout},
    {"\r\n 休止状態     :", "\r\n Hibernate    :", &SleepSubgroup, &HibernateTimeout},
    {"\r\n ディスプレイ :", "\r\n Display Off  :", &VideoSubgroup, &VideoPowerDownTimeout},
    {"\r\n ロック時画面 :", "\r\n Lock Display :", &VideoSubgroup, &ConsoleLockDisplayTimeout},
};

static void FormatPlanTimeout(const GUID& scheme, const PlanTimeout& timeout, bool onBattery,
                              char (&text)[IdleDurationSize]) {
    DWORD seconds;
    if (Power.settingValue(&scheme, timeout.subgroup, timeout.setting, onBattery, &seconds))
        FormatIdleDuration(seconds, text);
    else lstrcpyA(text, "?");
}

static void AppendPlanTimeouts(ReportBuffer& report, const GUID& scheme) {
    for (const PlanTimeout& timeout : PlanTimeouts) {
        char ac[IdleDurationSize], dc[IdleDurationSize];
        FormatPlanTimeout(scheme, timeout, false, ac);
        FormatPlanTimeout(scheme, timeout, true, dc);
        report.Append(Pick(timeout.japanese, timeout.english));
        report.AppendFormat("AC %s, DC %s", ac, dc);
    }
}

// Vista and later: the plan's name, then its identifier in braces.
static void AppendPowerPlan(ReportBuffer& report) {
    GUID scheme;
    if (!Power.activeScheme(&scheme)) return;
    report.Append(Pick("\r\n電源プラン    :", "\r\nPower Plan    :"));
    char name[520];
    if (Power.schemeName(&scheme, name, sizeof name)) {
        report.Append(name);
        report.Append(" ");
    }
    report.AppendFormat("{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}", scheme.Data1, scheme.Data2,
                        scheme.Data3, scheme.Data4[0], scheme.Data4[1], scheme.Data4[2], scheme.Data4[3],
                        scheme.Data4[4], scheme.Data4[5], scheme.Data4[6], scheme.Data4[7]);
    AppendPlanTimeouts(report, scheme);
}

// Modern Standby. The SDK's record has Hiberboot, WakeAlarmPresent and
// AoAc where this header has spare2.
static BOOLEAN HasLowPowerIdle(const SYSTEM_POWER_CAPABILITIES& capabilities) {
    static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, spare2) + 2 == 20, "AoAc at byte 20");
    return capabilities.spare2[2];
}

static void AppendSleepStates(ReportBuffer& report) {
    SYSTEM_POWER_CAPABILITIES capabilities = {};
    if (!Power.powerCapabilities(&capabilities)) return;
    const struct {
        BOOLEAN present;
        const char* japanese;
        const char* english;
    } states[] = {
        {capabilities.SystemS1, "S1", "S1"},
        {capabilities.SystemS2, "S2", "S2"},
        {capabilities.SystemS3, "S3", "S3"},
        {HasLowPowerIdle(capabilities), "S0低電力アイドル", "S0 Low Power Idle"},
        {capabilities.SystemS4, "S4", "S4"},
    };
    report.Append(Pick("\r\nスリープ状態  :", "\r\nSleep States  :"));
    const char* separator = "";
    for (const auto& state : states) {
        if (!state.present) continue;
        report.Append(separator);
        report.Append(Pick(state.japanese, state.english));
        separator = ", ";
    }
    if (!*separator) report.Append(Pick("なし", "none"));
}

void AppendPowerLines(ReportBuffer& report) {
    AppendPowerSource(report);
    AppendPowerPlan(report);
    AppendSleepStates(report);
}
