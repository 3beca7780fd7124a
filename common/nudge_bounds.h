// What the switches say of a resident session: when it ends by itself,
// besides a second start (at a local clock time, after a number of
// minutes, once a watched program has exited); when it rests (on battery,
// outside its hours or days); and whether it keeps only the system awake.
// They travel on the command line after the interval and the distance, as
// the interval does, so a shortcut carries them and nothing is stored.
#pragma once
#include <windows.h>

const int WatchedNameSize = MAX_PATH;
const int LongestForMinutes = 10080;  // a week

// /DAYS: one bit per day of the week, bit 0 Sunday, as SYSTEMTIME counts.
const unsigned EveryDay = 0x7F;
const unsigned MondayToFriday = 0x3E;

// All zero is a session without bounds.
struct NudgeBounds {
    bool hasUntil;                        // /UNTIL:HH:MM
    int untilMinuteOfDay;                 // 0..1439, local time, with hasUntil
    int forMinutes;                       // /FOR:MINUTES, 1..10080; 0 = none
    bool mainsOnly;                       // /AC
    wchar_t whileName[WatchedNameSize];   // /WHILE:NAME.EXE; "" = none
    bool hasHours;                        // /HOURS:HH:MM-HH:MM
    int hoursFromMinute, hoursToMinute;   // 0..1439, local time; to < from spans midnight
    unsigned days;                        // /DAYS:LIST, a bit per day; 0 = every day
    bool systemOnly;                      // /SYSTEM: a power request, no input
};
