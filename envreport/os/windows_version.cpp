#include "envreport/os/windows_version.h"

#include <cstring>

#include "common/optional_functions.h"
#include "envreport/os/version_access.h"

static OSVERSIONINFOA ReadVersionRecord() {
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof record;
    Version.getVersion(&record);
    return record;
}

void ReadBasicVersion(BasicVersion& version) {
    OSVERSIONINFOA record = ReadVersionRecord();
    version.platformId = record.dwPlatformId;
    version.major = record.dwMajorVersion;
    version.minor = record.dwMinorVersion;
    version.compatibilityMode = false;
    if (record.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        if (HIWORD(record.dwBuildNumber) != 0) {
            version.major = record.dwBuildNumber >> 24;
            version.minor = (record.dwBuildNumber >> 16) & 0xFF;
        } else {
            version.compatibilityMode = true;
        }
    }
    version.build = LOWORD(record.dwBuildNumber);
    version.versionCode = version.major * 100 + version.minor;
    static_assert(sizeof version.csdVersion == sizeof record.szCSDVersion, "same CSD field");
    memcpy(version.csdVersion, record.szCSDVersion, sizeof version.csdVersion);
    version.csdVersion[sizeof version.csdVersion - 1] = '\0';
}

// In the compatibility mode the numbers given are not trusted: 4.0.
unsigned GetWindowsVersionCode() {
    BasicVersion version;
    ReadBasicVersion(version);
    return version.compatibilityMode ? 400 : version.versionCode;
}

OSVERSIONINFOEXA ReadExtendedVersion() {
    OSVERSIONINFOEXA record = {};
    record.dwOSVersionInfoSize = sizeof record;
    if (!Version.getVersion((OSVERSIONINFOA*)&record)) {
        record = OSVERSIONINFOEXA();
        record.dwOSVersionInfoSize = sizeof record;
    }
    return record;
}

// IsWow64Process is missing before XP SP2, so it is looked up.
bool IsWow64() {
    IsWow64ProcessFunction isWow64Process = OptionalIsWow64Process();
    if (!isWow64Process) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) return false;
    return wow64 != FALSE;
}
