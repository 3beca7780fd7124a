// When a resident session ends by itself, besides a second start: at a
// local clock time, after a number of minutes, once a watched program has
// exited; and whether it pauses on battery. They travel on the command
// line after the interval and the distance, as the interval does, so a
// shortcut carries them and nothing is stored.
#pragma once
#include <windows.h>

const int WatchedNameSize = MAX_PATH;
const int LongestForMinutes = 10080;  // a week

// All zero is a session without bounds.
struct NudgeBounds {
    bool hasUntil;                        // /UNTIL:HH:MM
    int untilMinuteOfDay;                 // 0..1439, local time, with hasUntil
    int forMinutes;                       // /FOR:MINUTES, 1..10080; 0 = none
    bool mainsOnly;                       // /AC
    wchar_t whileName[WatchedNameSize];   // /WHILE:NAME.EXE; "" = none
};
