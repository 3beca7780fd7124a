// The power source, plan and sleep-state lines as the power manager tells
// them, played through the power seam: Wine has no battery, no plans of
// its own and no Modern Standby. The policies that override the plan are
// the prefix's own, written as a 64-bit management tool writes them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "common/ansi_text.h"
#include "envreport/os/power_access.h"
#include "envreport/os/power_section.h"
#include "tests/support/report_section.h"
#include "tests/support/scoped_swap.h"

static const DWORD Unreadable = 0xFFFFFFFF;

// The plan's six settings by subgroup and setting as the SDK names them:
// sleep, hibernate, display off, display off on the lock screen,
// unattended sleep, password on wake.
static const struct {
    const GUID* subgroup;
    const GUID* setting;
} PlanSettings[6] = {
    {&GUID_SLEEP_SUBGROUP, &GUID_STANDBY_TIMEOUT},         {&GUID_SLEEP_SUBGROUP, &GUID_HIBERNATE_TIMEOUT},
    {&GUID_VIDEO_SUBGROUP, &GUID_VIDEO_POWERDOWN_TIMEOUT}, {&GUID_VIDEO_SUBGROUP, &GUID_VIDEO_CONSOLE_LOCK_TIMEOUT},
    {&GUID_SLEEP_SUBGROUP, &GUID_UNATTEND_SLEEP_TIMEOUT},  {&NO_SUBGROUP_GUID, &GUID_LOCK_CONSOLE_ON_WAKE},
};

struct PlayedPower {
    bool statusKnown;
    BYTE acLine, batteryFlag, percent;
    bool planKnown;        // the active plan is Balanced
    const char* planName;  // null: the plan has none
    DWORD settings[6][2];  // AC, DC of the active plan
    bool statesKnown;
    BYTE states[6];  // S1, S2, S3, S0 low power idle (AoAc), S4, hibernation file
};

static PlayedPower Played;

// The policy's plan and values come from the prefix's registry.
static const PowerAccess PlayedPowerAccess = {
    [](SYSTEM_POWER_STATUS* status) {
        status->ACLineStatus = Played.acLine;
        status->BatteryFlag = Played.batteryFlag;
        status->BatteryLifePercent = Played.percent;
        return Played.statusKnown;
    },
    [](GUID* scheme) {
        *scheme = GUID_TYPICAL_POWER_SAVINGS;
        return Played.planKnown;
    },
    [](const GUID* scheme, char* name, size_t size) {
        const char* known = IsEqualGUID(*scheme, GUID_MIN_POWER_SAVINGS) ? "High performance"
                            : IsEqualGUID(*scheme, GUID_TYPICAL_POWER_SAVINGS) ? Played.planName
                                                                                : NULL;
        if (known) lstrcpynA(name, known, (int)size);
        return known != NULL;
    },
    [](const GUID* scheme, const GUID* subgroup, const GUID* setting, bool onBattery, DWORD* value) {
        for (int i = 0; i < 6; ++i) {
            if (!IsEqualGUID(*scheme, GUID_TYPICAL_POWER_SAVINGS) || !IsEqualGUID(*subgroup, *PlanSettings[i].subgroup) ||
                !IsEqualGUID(*setting, *PlanSettings[i].setting))
                continue;
            *value = Played.settings[i][onBattery];
            return *value != Unreadable;
        }
        return false;
    },
    [](SYSTEM_POWER_CAPABILITIES* capabilities) {
        static_assert(sizeof *capabilities == 76, "the record as Windows fills it");
        // Where Windows puts S1, S2, S3, AoAc, S4 and HiberFilePresent.
        static const int Offsets[6] = {3, 4, 5, 0x14, 6, 8};
        BYTE raw[76] = {};
        for (int i = 0; i < 6; ++i) raw[Offsets[i]] = Played.states[i];
        memcpy(capabilities, raw, sizeof raw);
        return Played.statesKnown;
    },
    LivePower.policyScheme,
    LivePower.policySettingValue,
};

static const char PowerPolicies[] = "SOFTWARE\\Policies\\Microsoft\\Power";

// Writes a policy value as a 64-bit management tool does.
static void PutPowerPolicy(const std::string& keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, NULL, 0,
                                             KEY_SET_VALUE | KEY_WOW64_64KEY, NULL, &key, NULL));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, (const BYTE*)data, size));
    RegCloseKey(key);
}

static void DeletePowerPolicies() {
    HKEY policies;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Policies\\Microsoft", 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                      &policies) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(policies, "Power");
    RegCloseKey(policies);
}

class PowerLineReport : public ::testing::Test {
protected:
    void SetUp() override { DeletePowerPolicies(); }
    void TearDown() override { DeletePowerPolicies(); }
};

// The block from its heading up to the screen saver line.
static std::string PowerLines(bool japanese) {
    std::string text = SectionText(WritePowerSection, japanese);
    return text.substr(0, text.find(japanese ? "\r\nｽｸﾘｰﾝｾｰﾊﾞｰ" : "\r\nScreen Saver"));
}

struct PowerCase {
    PlayedPower power;
    const char* english;
    const char* japanese;
};

TEST_F(PowerLineReport, SourcePlanAndSleepStatesAsThePowerManagerTellsThem) {
    const PowerCase cases[] = {
        {{true, 1, 128, 255, false, NULL, {}, false, {}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :AC, no battery",
         "\r\n\r\n[電源とアイドル]\r\n電源          :AC電源、バッテリーなし"},
        {{true, 1, 8 | 1, 80, false, NULL, {}, false, {}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :AC, battery 80% (charging)",
         "\r\n\r\n[電源とアイドル]\r\n電源          :AC電源、バッテリー残量 80% (充電中)"},
        {{true, 0, 2, 255, false, NULL, {}, false, {}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :Battery",
         "\r\n\r\n[電源とアイドル]\r\n電源          :バッテリー"},
        {{true, 0, 1, 100, false, NULL, {}, false, {}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :Battery, battery 100%",
         "\r\n\r\n[電源とアイドル]\r\n電源          :バッテリー、バッテリー残量 100%"},
        {{true, 255, 255, 255, false, NULL, {}, false, {}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :Unknown",
         "\r\n\r\n[電源とアイドル]\r\n電源          :不明"},
        // powrprof missing, as on Windows XP: no plan and no sleep states.
        {{true, 1, 255, 255, false, NULL, {}, false, {}}, "\r\n\r\n[Power and Idle]\r\nPower Source  :AC",
         "\r\n\r\n[電源とアイドル]\r\n電源          :AC電源"},
        {{true, 1, 255, 255, true, "Balanced",
          {{0, 600}, {90, Unreadable}, {600, 90}, {Unreadable, 0}, {300, 0}, {1, 0}}, true, {0, 0, 1, 0, 1, 1}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :AC"
         "\r\nPower Plan    :Balanced {381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n Sleep        :AC never, DC 10 min\r\n Hibernate    :AC 90 s, DC ?"
         "\r\n Display Off  :AC 10 min, DC 90 s\r\n Lock Display :AC ?, DC never"
         "\r\n Unattended   :AC 5 min, DC never\r\n Wake Sign-in :AC yes, DC no"
         "\r\nSleep States  :S3, S4",
         "\r\n\r\n[電源とアイドル]\r\n電源          :AC電源"
         "\r\n電源プラン    :Balanced {381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n スリープ     :AC なし, DC 10分\r\n 休止状態     :AC 90秒, DC ?"
         "\r\n ディスプレイ :AC 10分, DC 90秒\r\n ロック時画面 :AC ?, DC なし"
         "\r\n 無人スリープ :AC 5分, DC なし\r\n 復帰時ロック :AC あり, DC なし"
         "\r\nスリープ状態  :S3, S4"},
        // Modern Standby; no power status, a plan without a name.
        {{false, 0, 0, 0, true, NULL,
          {{Unreadable, Unreadable}, {Unreadable, Unreadable}, {7200, 3600}, {60, 61}, {Unreadable, 120},
           {Unreadable, Unreadable}},
          true, {0, 0, 0, 1, 0, 0}},
         "\r\n\r\n[Power and Idle]\r\nPower Plan    :{381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n Sleep        :AC ?, DC ?\r\n Hibernate    :AC ?, DC ?"
         "\r\n Display Off  :AC 120 min, DC 60 min\r\n Lock Display :AC 1 min, DC 61 s"
         "\r\n Unattended   :AC ?, DC 2 min\r\n Wake Sign-in :AC ?, DC ?"
         "\r\nSleep States  :S0 Low Power Idle",
         "\r\n\r\n[電源とアイドル]\r\n電源プラン    :{381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n スリープ     :AC ?, DC ?\r\n 休止状態     :AC ?, DC ?"
         "\r\n ディスプレイ :AC 120分, DC 60分\r\n ロック時画面 :AC 1分, DC 61秒"
         "\r\n 無人スリープ :AC ?, DC 2分\r\n 復帰時ロック :AC ?, DC ?"
         "\r\nスリープ状態  :S0低電力アイドル"},
        {{false, 0, 0, 0, false, NULL, {}, true, {1, 1, 1, 1, 1, 1}},
         "\r\n\r\n[Power and Idle]\r\nSleep States  :S1, S2, S3, S0 Low Power Idle, S4",
         "\r\n\r\n[電源とアイドル]\r\nスリープ状態  :S1, S2, S3, S0低電力アイドル, S4"},
        // Hibernation switched off: the machine could, but has no file.
        {{false, 0, 0, 0, false, NULL, {}, true, {0, 0, 1, 0, 1, 0}},
         "\r\n\r\n[Power and Idle]\r\nSleep States  :S3, S4 (off)",
         "\r\n\r\n[電源とアイドル]\r\nスリープ状態  :S3, S4 (無効)"},
        {{false, 0, 0, 0, false, NULL, {}, true, {}}, "\r\n\r\n[Power and Idle]\r\nSleep States  :none",
         "\r\n\r\n[電源とアイドル]\r\nスリープ状態  :なし"},
    };
    ScopedSwap<PowerAccess> power(Power, PlayedPowerAccess);
    for (const PowerCase& c : cases) {
        Played = c.power;
        EXPECT_EQ(c.english, PowerLines(false));
        EXPECT_EQ(c.japanese, PowerLines(true));
    }
}

// A setting's policy values, AC and DC (Unreadable: not set), under its key
// named by the GUID as StringFromGUID2 writes it, without braces.
static void PutSettingPolicy(int setting, DWORD ac, DWORD dc) {
    OLECHAR wide[39];
    char name[39];
    StringFromGUID2(*PlanSettings[setting].setting, wide, 39);
    NarrowText(CP_ACP, wide, name, sizeof name);
    name[37] = '\0';
    std::string key = std::string(PowerPolicies) + "\\PowerSettings\\" + (name + 1);
    if (ac != Unreadable) PutPowerPolicy(key, "ACSettingIndex", REG_DWORD, &ac, sizeof ac);
    if (dc != Unreadable) PutPowerPolicy(key, "DCSettingIndex", REG_DWORD, &dc, sizeof dc);
}

// The policy's plan, named or by its GUID alone, braced or not, in any
// case, with the values of that plan; a malformed one leaves the user's.
// One policy value on mains or on battery marks its line.
TEST_F(PowerLineReport, APolicysPlanAndValuesOverrideThePlansAndAreMarked) {
    const struct {
        const char* scheme;
        const char* english;  // the plan line, then the sleep line
        const char* japanese;
    } schemes[] = {
        {"8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c",
         "High performance {8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c} (policy)\r\n Sleep        :AC ?, DC ?",
         "High performance {8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c} (ポリシー)\r\n スリープ     :AC ?, DC ?"},
        {"{A1841308-3541-4FAB-BC81-F71556F20B4A}", "{a1841308-3541-4fab-bc81-f71556f20b4a} (policy)\r\n Sleep ",
         "{a1841308-3541-4fab-bc81-f71556f20b4a} (ポリシー)\r\n スリープ "},
        {"8c5e7fda-e8bf-4a96-9a85-a6e23a8c635",  // one digit short
         "Balanced {381b4222-f694-41f0-9685-ff5bb260df2e}\r\n Sleep        :AC 10 min, DC 5 min",
         "Balanced {381b4222-f694-41f0-9685-ff5bb260df2e}\r\n スリープ     :AC 10分, DC 5分"},
    };
    ScopedSwap<PowerAccess> power(Power, PlayedPowerAccess);
    Played = {false, 0, 0, 0, true, "Balanced", {{600, 300}}, false, {}};
    for (const auto& c : schemes) {
        PutPowerPolicy(std::string(PowerPolicies) + "\\PowerSettings", "ActivePowerScheme", REG_SZ, c.scheme,
                       (DWORD)strlen(c.scheme) + 1);
        EXPECT_NE(std::string::npos, PowerLines(false).find("\r\nPower Plan    :" + std::string(c.english))) << c.english;
        EXPECT_NE(std::string::npos, PowerLines(true).find("\r\n電源プラン    :" + std::string(c.japanese))) << c.english;
    }
    DeletePowerPolicies();
    PutSettingPolicy(0, 0, Unreadable);
    PutSettingPolicy(4, 120, 60);
    PutSettingPolicy(5, Unreadable, 1);
    EXPECT_NE(std::string::npos, PowerLines(false).find("\r\n Sleep        :AC never, DC 5 min (policy)"
                                                        "\r\n Hibernate    :AC never, DC never\r\n"));
    EXPECT_NE(std::string::npos, PowerLines(false).find("\r\n Unattended   :AC 2 min, DC 1 min (policy)"
                                                        "\r\n Wake Sign-in :AC no, DC yes (policy)"));
    EXPECT_NE(std::string::npos, PowerLines(true).find("\r\n スリープ     :AC なし, DC 5分 (ポリシー)"
                                                       "\r\n 休止状態     :AC なし, DC なし\r\n"));
    EXPECT_NE(std::string::npos, PowerLines(true).find("\r\n 無人スリープ :AC 2分, DC 1分 (ポリシー)"
                                                       "\r\n 復帰時ロック :AC なし, DC あり (ポリシー)"));
}
