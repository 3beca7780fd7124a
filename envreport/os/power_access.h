// What the power manager tells the report: the power source, the active
// power plan and its timeouts, the sleep states the machine has, and the
// plan and settings a policy puts in force over them. Reached only through
// `Power`, so a test can play a laptop on battery, a plan with its own
// timeouts or a Modern Standby machine, which Wine cannot be. powrprof.dll
// is loaded from the system folder only while the report runs.
#pragma once
#include <windows.h>

#include <cstddef>

struct PowerAccess {
    // GetSystemPowerStatus; false where Windows lacks it or it fails.
    bool (*systemPowerStatus)(SYSTEM_POWER_STATUS* status);
    // The active plan; false before Vista or when it cannot be read.
    bool (*activeScheme)(GUID* scheme);
    // The plan's friendly name in the ANSI code page; false without one.
    bool (*schemeName)(const GUID* scheme, char* name, size_t size);
    // One setting of the plan on mains (`onBattery` false) or on battery;
    // false when it cannot be read.
    bool (*settingValue)(const GUID* scheme, const GUID* subgroup, const GUID* setting, bool onBattery,
                         DWORD* value);
    // CallNtPowerInformation(SystemPowerCapabilities); false where missing
    // or failing.
    bool (*powerCapabilities)(SYSTEM_POWER_CAPABILITIES* capabilities);
    // The plan a policy puts in force (ActivePowerScheme); false without
    // one.
    bool (*policyScheme)(GUID* scheme);
    // One setting's value a policy puts in force on mains or on battery;
    // false where no policy sets it.
    bool (*policySettingValue)(const GUID* setting, bool onBattery, DWORD* value);
};

extern PowerAccess Power;
extern const PowerAccess LivePower;
