// The power source, plan and sleep-state lines as the power manager tells
// them, played through the power seam: Wine has no battery, no plans of
// its own and no Modern Standby.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "envreport/os/power_access.h"
#include "envreport/os/power_section.h"
#include "tests/support/report_section.h"
#include "tests/support/scoped_swap.h"

static const DWORD Unreadable = 0xFFFFFFFF;

// The four timeouts by their Windows identifiers' first part: sleep,
// hibernate, display off, display off on the lock screen.
static const unsigned long TimeoutSettings[4] = {0x29f6c1db, 0x9d7815a6, 0x3c0bc021, 0x8ec4b3a5};

struct PlayedPower {
    bool statusKnown;
    BYTE acLine, batteryFlag, percent;
    bool planKnown;
    const char* planName;  // null: the plan has none
    DWORD timeouts[4][2];  // AC, DC
    bool statesKnown;
    BOOLEAN states[5];  // S1, S2, S3, S0 low power idle (AoAc), S4
};

static PlayedPower Played;

static const PowerAccess PlayedPowerAccess = {
    [](SYSTEM_POWER_STATUS* status) {
        status->ACLineStatus = Played.acLine;
        status->BatteryFlag = Played.batteryFlag;
        status->BatteryLifePercent = Played.percent;
        return Played.statusKnown;
    },
    [](GUID* scheme) {
        *scheme = {0x381b4222, 0xf694, 0x41f0, {0x96, 0x85, 0xff, 0x5b, 0xb2, 0x60, 0xdf, 0x2e}};
        return Played.planKnown;
    },
    [](const GUID*, char* name, size_t size) {
        if (Played.planName) lstrcpynA(name, Played.planName, (int)size);
        return Played.planName != NULL;
    },
    [](const GUID*, const GUID*, const GUID* setting, bool onBattery, DWORD* value) {
        for (int i = 0; i < 4; ++i) {
            if (setting->Data1 != TimeoutSettings[i]) continue;
            *value = Played.timeouts[i][onBattery];
            return *value != Unreadable;
        }
        return false;
    },
    [](SYSTEM_POWER_CAPABILITIES* capabilities) {
        capabilities->SystemS1 = Played.states[0];
        capabilities->SystemS2 = Played.states[1];
        capabilities->SystemS3 = Played.states[2];
        capabilities->spare2[2] = Played.states[3];  // AoAc
        capabilities->SystemS4 = Played.states[4];
        return Played.statesKnown;
    },
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

TEST(PowerLines, SourcePlanAndSleepStatesAsThePowerManagerTellsThem) {
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
        {{true, 1, 255, 255, true, "Balanced", {{0, 600}, {90, Unreadable}, {600, 90}, {Unreadable, 0}}, true,
          {0, 0, 1, 0, 1}},
         "\r\n\r\n[Power and Idle]\r\nPower Source  :AC"
         "\r\nPower Plan    :Balanced {381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n Sleep        :AC never, DC 10 min\r\n Hibernate    :AC 90 s, DC ?"
         "\r\n Display Off  :AC 10 min, DC 90 s\r\n Lock Display :AC ?, DC never"
         "\r\nSleep States  :S3, S4",
         "\r\n\r\n[電源とアイドル]\r\n電源          :AC電源"
         "\r\n電源プラン    :Balanced {381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n スリープ     :AC なし, DC 10分\r\n 休止状態     :AC 90秒, DC ?"
         "\r\n ディスプレイ :AC 10分, DC 90秒\r\n ロック時画面 :AC ?, DC なし"
         "\r\nスリープ状態  :S3, S4"},
        // Modern Standby; no power status, a plan without a name.
        {{false, 0, 0, 0, true, NULL, {{Unreadable, Unreadable}, {Unreadable, Unreadable}, {7200, 3600},
                                       {60, 61}}, true, {0, 0, 0, 1, 0}},
         "\r\n\r\n[Power and Idle]\r\nPower Plan    :{381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n Sleep        :AC ?, DC ?\r\n Hibernate    :AC ?, DC ?"
         "\r\n Display Off  :AC 120 min, DC 60 min\r\n Lock Display :AC 1 min, DC 61 s"
         "\r\nSleep States  :S0 Low Power Idle",
         "\r\n\r\n[電源とアイドル]\r\n電源プラン    :{381b4222-f694-41f0-9685-ff5bb260df2e}"
         "\r\n スリープ     :AC ?, DC ?\r\n 休止状態     :AC ?, DC ?"
         "\r\n ディスプレイ :AC 120分, DC 60分\r\n ロック時画面 :AC 1分, DC 61秒"
         "\r\nスリープ状態  :S0低電力アイドル"},
        {{false, 0, 0, 0, false, NULL, {}, true, {1, 1, 1, 1, 1}},
         "\r\n\r\n[Power and Idle]\r\nSleep States  :S1, S2, S3, S0 Low Power Idle, S4",
         "\r\n\r\n[電源とアイドル]\r\nスリープ状態  :S1, S2, S3, S0低電力アイドル, S4"},
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
