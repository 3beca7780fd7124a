#include "app/session_end.h"

#include "common/nudge_settings.h"
#include "common/session_access.h"
#include "envreport/os/power_access.h"

static const DWORD LongestCheckGapMs = 60000;
static const DWORD WatchPeriodMs = 10000;  // a snapshot costs about a millisecond
static const DWORD MsPerMinute = 60000;
static const DWORD FileTimeUnitsPerMs = 10000;
static const ULONGLONG FileTimeUnitsPerDay = 864000000000ULL;

// The local clock's reading, in FILETIME units, at which /UNTIL ends.
static ULONGLONG UntilLocalTime;
static DWORD StartTick;
static DWORD LastWatchTick;

// A local date and time as one number; only compared and subtracted.
static ULONGLONG LocalTimeValue(const SYSTEMTIME& time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return ((ULONGLONG)file.dwHighDateTime << 32) | file.dwLowDateTime;
}

static ULONGLONG LocalTimeNow() {
    SYSTEMTIME now;
    Session.getLocalTime(&now);
    return LocalTimeValue(now);
}

// The next HH:MM:00 strictly after the start, today or tomorrow.
static ULONGLONG NextUntilTime() {
    SYSTEMTIME until;
    Session.getLocalTime(&until);
    ULONGLONG start = LocalTimeValue(until);
    until.wHour = (WORD)(SessionBounds.untilMinuteOfDay / 60);
    until.wMinute = (WORD)(SessionBounds.untilMinuteOfDay % 60);
    until.wSecond = 0;
    until.wMilliseconds = 0;
    ULONGLONG today = LocalTimeValue(until);
    return today > start ? today : today + FileTimeUnitsPerDay;
}

static bool IsBounded() {
    return SessionBounds.hasUntil || SessionBounds.forMinutes || SessionBounds.whileName[0];
}

static bool WatchedProgramRuns() {
    bool runs;
    return !Session.processRuns(SessionBounds.whileName, &runs) || runs;
}

bool BeginSessionBounds() {
    StartTick = LastWatchTick = Session.getTickCount();
    if (SessionBounds.hasUntil) UntilLocalTime = NextUntilTime();
    return !SessionBounds.whileName[0] || WatchedProgramRuns();
}

static DWORD Shorter(DWORD a, DWORD b) {
    return a < b ? a : b;
}

// Milliseconds left of /UNTIL by the local clock, rounded up, so a clock
// set forward or a time that daylight saving skips ends it at once.
static DWORD UntilLeft() {
    if (!SessionBounds.hasUntil) return LongestCheckGapMs;
    ULONGLONG now = LocalTimeNow();
    if (now >= UntilLocalTime) return 0;
    ULONGLONG left = UntilLocalTime - now;
    if (left >= (ULONGLONG)LongestCheckGapMs * FileTimeUnitsPerMs) return LongestCheckGapMs;
    return ((DWORD)left + FileTimeUnitsPerMs - 1) / FileTimeUnitsPerMs;
}

// By the tick count, which runs on through sleep and clock changes.
static DWORD ForLeft(DWORD now) {
    if (!SessionBounds.forMinutes) return LongestCheckGapMs;
    DWORD span = (DWORD)SessionBounds.forMinutes * MsPerMinute;
    DWORD elapsed = now - StartTick;
    return elapsed >= span ? 0 : Shorter(span - elapsed, LongestCheckGapMs);
}

// Looks at most every WatchPeriodMs; a list that cannot be read is
// looked at again then and never ends the session.
static bool WatchedProgramGone(DWORD now) {
    if (!SessionBounds.whileName[0] || now - LastWatchTick < WatchPeriodMs) return false;
    LastWatchTick = now;
    return !WatchedProgramRuns();
}

static DWORD WatchLeft(DWORD now) {
    if (!SessionBounds.whileName[0]) return LongestCheckGapMs;
    return WatchPeriodMs - Shorter(now - LastWatchTick, WatchPeriodMs);
}

bool EndSessionIfDue(HWND window) {
    if (!IsBounded()) return false;
    DWORD now = Session.getTickCount();
    DWORD endLeft = Shorter(UntilLeft(), ForLeft(now));
    if (endLeft == 0 || WatchedProgramGone(now)) {
        DestroyWindow(window);
        return true;
    }
    SetTimer(window, SessionEndTimerId, Shorter(endLeft, WatchLeft(now)), NULL);
    return false;
}

// ACLineStatus: 0 battery, 1 mains, 255 unknown.
bool SessionOnMains() {
    if (!SessionBounds.mainsOnly) return true;
    SYSTEM_POWER_STATUS status;
    return !Power.systemPowerStatus(&status) || status.ACLineStatus != 0;
}
