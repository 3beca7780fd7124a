#include "envreport/os/power_access.h"

#include <cstdlib>

#include "common/ansi_text.h"
#include "common/optional_functions.h"
#include "envreport/os/guid_text.h"
#include "envreport/os/policy_settings.h"
#include "envreport/registry_values.h"

// Windows NT 4.0 has no GetSystemPowerStatus.
static bool LiveSystemPowerStatus(SYSTEM_POWER_STATUS* status) {
    GetSystemPowerStatusFunction getStatus = OptionalGetSystemPowerStatus();
    return getStatus && getStatus(status);
}

// The scheme comes in a block of the power manager's, freed here.
static bool LiveActiveScheme(GUID* scheme) {
    PowerGetActiveSchemeFunction getScheme = OptionalPowerGetActiveScheme();
    if (!getScheme) return false;
    GUID* block = NULL;
    bool read = getScheme(NULL, &block) == ERROR_SUCCESS && block;
    if (read) *scheme = *block;
    if (block) LocalFree(block);
    return read;
}

static bool LiveSchemeName(const GUID* scheme, char* name, size_t size) {
    PowerReadFriendlyNameFunction readName = OptionalPowerReadFriendlyName();
    if (!readName) return false;
    WCHAR wide[256];
    wide[255] = L'\0';  // beyond what the call may write: the name always ends
    DWORD bytes = sizeof wide - sizeof wide[0];
    if (readName(NULL, scheme, NULL, NULL, (UCHAR*)wide, &bytes) != ERROR_SUCCESS) return false;
    return NarrowText(CP_ACP, wide, name, size) && name[0] != '\0';
}

static bool LiveSettingValue(const GUID* scheme, const GUID* subgroup, const GUID* setting, bool onBattery,
                             DWORD* value) {
    PowerReadACValueIndexFunction readValue =
        onBattery ? OptionalPowerReadDCValueIndex() : OptionalPowerReadACValueIndex();
    return readValue && readValue(NULL, scheme, subgroup, setting, value) == ERROR_SUCCESS;
}

static bool LivePowerCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) {
    CallNtPowerInformationFunction call = OptionalCallNtPowerInformation();
    return call && call(SystemPowerCapabilities, NULL, 0, capabilities, sizeof *capabilities) == 0;
}

// Where group policy and management tools put the power settings in force.
static const char PowerPolicyKey[] = "SOFTWARE\\Policies\\Microsoft\\Power\\PowerSettings";

static bool LivePolicyScheme(GUID* scheme) {
    HKEY key = OpenPolicyKey(HKEY_LOCAL_MACHINE, PowerPolicyKey);
    if (!key) return false;
    char* text = ReadRegString(key, "ActivePowerScheme");
    RegCloseKey(key);
    bool read = text && ParseGuidText(text, scheme);
    free(text);
    return read;
}

// Each setting has a key of its own, named by its GUID without braces.
static bool LivePolicySettingValue(const GUID* setting, bool onBattery, DWORD* value) {
    char path[sizeof PowerPolicyKey + GuidTextSize];
    char name[GuidTextSize];
    FormatGuidText(*setting, name);
    wsprintfA(path, "%s\\%s", PowerPolicyKey, name);
    HKEY key = OpenPolicyKey(HKEY_LOCAL_MACHINE, path);
    if (!key) return false;
    bool read = QueryRegDword(key, onBattery ? "DCSettingIndex" : "ACSettingIndex", *value);
    RegCloseKey(key);
    return read;
}

const PowerAccess LivePower = {LiveSystemPowerStatus, LiveActiveScheme,      LiveSchemeName,
                               LiveSettingValue,      LivePowerCapabilities, LivePolicyScheme,
                               LivePolicySettingValue};
PowerAccess Power = LivePower;
