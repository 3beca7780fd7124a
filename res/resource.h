// Resource and control identifiers of swaypix.exe.
#pragma once

#define IDI_SWAYPIX      107
#define IDD_SETUP        129
// The set-up dialog in English: the same controls, shown where the user
// does not read Japanese.
#define IDD_SETUP_ENGLISH 130

#define IDC_ABOUT        1000
#define IDC_INTERVAL     1001
#define IDC_SHIFTMODE    1002
#define IDC_DESKTOP      1003
#define IDC_STARTNOW     1004
#define IDC_STARTUP      1005
#define IDC_FEEDBACK     1006
// The bounds of a session: end at a time, after some minutes, and pause
// on battery.
#define IDC_UNTIL        1007
#define IDC_UNTIL_HOUR   1008
#define IDC_UNTIL_MINUTE 1009
#define IDC_FOR          1010
#define IDC_FOR_MINUTES  1011
#define IDC_MAINS_ONLY   1012
// Working hours and days, and keeping only the PC awake.
#define IDC_HOURS             1013
#define IDC_HOURS_FROM_HOUR   1014
#define IDC_HOURS_FROM_MINUTE 1015
#define IDC_HOURS_TO_HOUR     1016
#define IDC_HOURS_TO_MINUTE   1017
#define IDC_WEEKDAYS          1018
#define IDC_SYSTEM_ONLY       1019
