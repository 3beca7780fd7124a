#include "envreport/os/power_lines.h"

#include <cstddef>

#include "envreport/os/guid_text.h"
#include "envreport/os/idle_duration.h"
#include "envreport/os/policy_settings.h"
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

// The plan's settings by subgroup and setting, as the power manager's
// reference names them: the sleep, hibernate, display and lock-screen
// timeouts (winnt.h, GUID_STANDBY_TIMEOUT and its neighbours); the
// unattended sleep timeout, "Sleep unattended idle timeout" in Microsoft's
// power settings reference (7bc4a2f9-d8fc-4469-b07b-33eb785aaca0); the
// password on wake, GUID_LOCK_CONSOLE_ON_WAKE of winnt.h (powercfg's
// CONSOLELOCK), in the subgroup of settings that belong to none,
// NO_SUBGROUP_GUID of PowerCreateSetting's reference.
static const GUID SleepSubgroup = {0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
static const GUID StandbyTimeout = {0x29f6c1db, 0x86da, 0x48c5, {0x9f, 0xdb, 0xf2, 0xb6, 0x7b, 0x1f, 0x44, 0xda}};
static const GUID HibernateTimeout = {0x9d7815a6, 0x7ee4, 0x497e, {0x88, 0x88, 0x51, 0x5a, 0x05, 0xf0, 0x23, 0x64}};
static const GUID UnattendedSleepTimeout = {0x7bc4a2f9, 0xd8fc, 0x4469,
                                            {0xb0, 0x7b, 0x33, 0xeb, 0x78, 0x5a, 0xac, 0xa0}};
static const GUID VideoSubgroup = {0x7516b95f, 0xf776, 0x4464, {0x8c, 0x53, 0x06, 0x16, 0x7f, 0x40, 0xcc, 0x99}};
static const GUID VideoPowerDownTimeout = {0x3c0bc021, 0xc8a8, 0x4e07,
                                           {0xa9, 0x73, 0x6b, 0x14, 0xcb, 0xcb, 0x2b, 0x7e}};
static const GUID ConsoleLockDisplayTimeout = {0x8ec4b3a5, 0x6868, 0x48c2,
                                               {0xbe, 0x75, 0x4f, 0x30, 0x44, 0xbe, 0x88, 0xa7}};
static const GUID NoSubgroup = {0xfea3413e, 0x7e05, 0x4911, {0x9a, 0x71, 0x70, 0x03, 0x31, 0xf1, 0xc2, 0x94}};
static const GUID LockConsoleOnWake = {0x0e796bdb, 0x100d, 0x47d6, {0xa2, 0xd5, 0xf7, 0xd2, 0xda, 0xa5, 0x1f, 0x51}};

static void FormatYesNo(DWORD value, char (&text)[IdleDurationSize]) {
    lstrcpyA(text, value ? Pick("あり", "yes") : Pick("なし", "no"));
}

struct PlanSetting {
    LocalText label;
    const GUID* subgroup;
    const GUID* setting;
    void (*format)(DWORD value, char (&text)[IdleDurationSize]);
};

static const PlanSetting PlanSettings[] = {
    {{"\r\n スリープ     :", "\r\n Sleep        :"}, &SleepSubgroup, &StandbyTimeout, FormatIdleDuration},
    {{"\r\n 休止状態     :", "\r\n Hibernate    :"}, &SleepSubgroup, &HibernateTimeout, FormatIdleDuration},
    {{"\r\n ディスプレイ :", "\r\n Display Off  :"}, &VideoSubgroup, &VideoPowerDownTimeout, FormatIdleDuration},
    {{"\r\n ロック時画面 :", "\r\n Lock Display :"}, &VideoSubgroup, &ConsoleLockDisplayTimeout, FormatIdleDuration},
    {{"\r\n 無人スリープ :", "\r\n Unattended   :"}, &SleepSubgroup, &UnattendedSleepTimeout, FormatIdleDuration},
    {{"\r\n 復帰時ロック :", "\r\n Wake Sign-in :"}, &NoSubgroup, &LockConsoleOnWake, FormatYesNo},
};

// The value in force: a policy's before the plan's.
static void FormatSettingInForce(const GUID& scheme, const PlanSetting& setting, bool onBattery,
                                 char (&text)[IdleDurationSize], bool* fromPolicy) {
    DWORD value;
    if (Power.policySettingValue(setting.setting, onBattery, &value)) *fromPolicy = true;
    else if (!Power.settingValue(&scheme, setting.subgroup, setting.setting, onBattery, &value)) {
        lstrcpyA(text, "?");
        return;
    }
    setting.format(value, text);
}

static void AppendPlanSettings(ReportBuffer& report, const GUID& scheme) {
    for (const PlanSetting& setting : PlanSettings) {
        char ac[IdleDurationSize], dc[IdleDurationSize];
        bool fromPolicy = false;
        FormatSettingInForce(scheme, setting, false, ac, &fromPolicy);
        FormatSettingInForce(scheme, setting, true, dc, &fromPolicy);
        report.Append(Pick(setting.label));
        report.AppendFormat("AC %s, DC %s", ac, dc);
        if (fromPolicy) AppendPolicyMark(report);
    }
}

// Vista and later: the plan in force, a policy's before the user's, by
// its name and then its identifier in braces.
static void AppendPowerPlan(ReportBuffer& report) {
    GUID scheme;
    bool fromPolicy = Power.policyScheme(&scheme);
    if (!fromPolicy && !Power.activeScheme(&scheme)) return;
    report.Append(Pick("\r\n電源プラン    :", "\r\nPower Plan    :"));
    char name[520];
    if (Power.schemeName(&scheme, name, sizeof name)) {
        report.Append(name);
        report.Append(" ");
    }
    char identifier[GuidTextSize];
    FormatGuidText(scheme, identifier);
    report.AppendFormat("{%s}", identifier);
    if (fromPolicy) AppendPolicyMark(report);
    AppendPlanSettings(report, scheme);
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
        LocalText name;
    } states[] = {
        {capabilities.SystemS1, {"S1", "S1"}},
        {capabilities.SystemS2, {"S2", "S2"}},
        {capabilities.SystemS3, {"S3", "S3"}},
        {HasLowPowerIdle(capabilities), {"S0低電力アイドル", "S0 Low Power Idle"}},
        // Hibernation switched off (powercfg /h off) removes the file.
        {capabilities.SystemS4,
         capabilities.HiberFilePresent ? LocalText{"S4", "S4"} : LocalText{"S4 (無効)", "S4 (off)"}},
    };
    report.Append(Pick("\r\nスリープ状態  :", "\r\nSleep States  :"));
    const char* separator = "";
    for (const auto& state : states) {
        if (!state.present) continue;
        report.Append(separator);
        report.Append(Pick(state.name));
        separator = ", ";
    }
    if (!*separator) report.Append(Pick("なし", "none"));
}

void AppendPowerLines(ReportBuffer& report) {
    AppendPowerSource(report);
    AppendPowerPlan(report);
    AppendSleepStates(report);
}
