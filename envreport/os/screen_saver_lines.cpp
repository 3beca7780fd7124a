#include "envreport/os/screen_saver_lines.h"

#include <windows.h>

#include <cstdlib>

#include "common/ansi_text.h"
#include "common/atoi_number.h"
#include "common/paths.h"
#include "envreport/os/idle_duration.h"
#include "envreport/os/policy_settings.h"
#include "envreport/registry_values.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

static const char PolicyDesktopKey[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
static const char UserDesktopKey[] = "Control Panel\\Desktop";

struct ScreenSaverSettings {
    bool active;
    DWORD timeout;
    bool secure;
    char program[PathBufferSize];  // the file name alone; empty for none
    bool fromPolicy;
};

// A number stored as text, as Windows writes it, or as a REG_DWORD, as
// some management tools write policies; false when the key lacks it.
static bool ReadNumberValue(HKEY key, const char* name, DWORD* value) {
    if (key && QueryRegDword(key, name, *value)) return true;
    char* text = key ? ReadRegString(key, name) : NULL;
    if (!text) return false;
    *value = (DWORD)ParseIntLikeAtoi(text);
    free(text);
    return true;
}

// The policy's value when it sets one, else the user's.
static DWORD PolicyOrUser(HKEY policy, const char* name, DWORD user, ScreenSaverSettings* settings) {
    DWORD value;
    if (!ReadNumberValue(policy, name, &value)) return user;
    settings->fromPolicy = true;
    return value;
}

static DWORD UserSystemParameter(UINT action) {
    DWORD value = 0;
    SystemParametersInfoA(action, 0, &value, 0);
    return value;
}

// SPI_GETSCREENSAVESECURE arrived with Vista; before it, and where it
// fails, the user's registry value tells.
static DWORD UserScreenSaverSecure(HKEY user) {
    BOOL secure = FALSE;
    if (SystemParametersInfoA(SPI_GETSCREENSAVESECURE, 0, &secure, 0)) return secure != FALSE;
    DWORD value = 0;
    ReadNumberValue(user, "ScreenSaverIsSecure", &value);
    return value;
}

static void ReadScreenSaverProgram(HKEY policy, HKEY user, ScreenSaverSettings* settings) {
    char* path = policy ? ReadRegString(policy, "SCRNSAVE.EXE") : NULL;
    if (path) settings->fromPolicy = true;
    else if (user) path = ReadRegString(user, "SCRNSAVE.EXE");
    if (!path) return;
    CopyWholeCharacters(CP_ACP, settings->program, sizeof settings->program, FileNameOf(CP_ACP, path));
    free(path);
}

static void ReadScreenSaverSettings(ScreenSaverSettings* settings) {
    HKEY policy = OpenPolicyKey(HKEY_CURRENT_USER, PolicyDesktopKey);
    HKEY user = OpenRegKeyForQuery(HKEY_CURRENT_USER, UserDesktopKey);
    settings->active =
        PolicyOrUser(policy, "ScreenSaveActive", UserSystemParameter(SPI_GETSCREENSAVEACTIVE), settings) != 0;
    settings->timeout =
        PolicyOrUser(policy, "ScreenSaveTimeOut", UserSystemParameter(SPI_GETSCREENSAVETIMEOUT), settings);
    settings->secure = PolicyOrUser(policy, "ScreenSaverIsSecure", UserScreenSaverSecure(user), settings) != 0;
    ReadScreenSaverProgram(policy, user, settings);
    if (user) RegCloseKey(user);
    if (policy) RegCloseKey(policy);
}

void AppendScreenSaverLine(ReportBuffer& report) {
    ScreenSaverSettings settings = {};
    ReadScreenSaverSettings(&settings);
    report.Append(Pick("\r\nｽｸﾘｰﾝｾｰﾊﾞｰ    :", "\r\nScreen Saver  :"));
    if (!settings.active || !settings.program[0]) {
        report.Append(Pick("なし", "none"));
    } else {
        char timeout[IdleDurationSize];
        FormatIdleDuration(settings.timeout, timeout);
        report.Append(settings.program);
        report.Append(", ");
        report.Append(timeout);
        if (settings.secure) report.Append(Pick(", パスワード保護", ", password"));
    }
    if (settings.fromPolicy) AppendPolicyMark(report);
}

void AppendInactivityLockLine(ReportBuffer& report) {
    HKEY key = OpenPolicyKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
    if (!key) return;
    DWORD seconds = ReadRegDword(key, "InactivityTimeoutSecs");
    RegCloseKey(key);
    if (seconds == 0) return;
    char limit[IdleDurationSize];
    FormatIdleDuration(seconds, limit);
    report.Append(Pick("\r\n自動ロック    :", "\r\nLock After    :"));
    report.Append(limit);
    AppendPolicyMark(report);
}
