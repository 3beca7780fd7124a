// What a command line tells the program: the interval in milliseconds and
// the distance in pixels (0 = tap Shift), the first and second words that
// are not switches, each read as atoi reads it; and the bounds of the
// session, from the switches (words that begin with "/"), in any order
// and any case. The program reads its own command line this way, the
// report reads a shortcut's arguments the same way, and the set-up dialog
// writes a shortcut's arguments from the same record.
#pragma once
#include <cstddef>

#include "common/nudge_bounds.h"

struct NudgeArguments {
    int interval;  // 0 = not given (also for a negative number)
    int distance;
    NudgeBounds bounds;
};

enum NudgeReading {
    NudgeArgumentsAccepted,
    NudgeSwitchRefused,            // a bad, unknown or repeated switch
    NudgeSwitchesWithoutInterval,  // switches, but no interval above 0
};

// A refused command line starts nothing; `word` is the switch to name
// (for switches without an interval, the first of them), pointing into
// the words that were read.
struct NudgeVerdict {
    NudgeReading reading;
    const wchar_t* word;  // null when accepted
};

// True for "/X" in either case, the whole text: the argument that ends a
// resident instance without asking and does nothing else.
bool IsSilentToggleText(const wchar_t* text);

// From an argument text as a shortcut or the program's command tail holds
// it, split into words at blanks (tabs and the IME's full-width blank too;
// double quotes group blanks into a word and are dropped). A missing
// interval or distance keeps its value, the bounds hold what the switches
// say (a switch not given leaves its bound as it was); a third plain word
// is ignored. A word the program might misread (a "/" typed full-width or
// as the IME's "・", or glued to a number) is refused, never guessed at.
// The words are cut out of `text` in place, which the verdict's word
// points into.
NudgeVerdict ReadNudgeArgumentText(wchar_t* text, NudgeArguments* settings);

// Room for the longest arguments the set-up dialog writes,
// "2147483000 /UNTIL:23:59 /FOR:10080 /HOURS:23:59-0:00 /DAYS:MON-FRI /AC /SYSTEM",
// and the terminator.
const size_t DialogArgumentsSize = 79;

// The arguments that start the program with these settings, the way the
// set-up dialog writes them: INTERVAL [DISTANCE unless 1; none with
// /SYSTEM] [/UNTIL:H:MM] [/FOR:N] [/HOURS:H:MM-H:MM] [/DAYS:LIST]
// [/WHILE:NAME] [/AC] [/SYSTEM]. False, with `out` empty, when they do not
// fit in `outChars` characters with the terminator.
bool FormatNudgeArguments(const NudgeArguments& settings, wchar_t* out, size_t outChars);

// A set of days (NudgeBounds::days) as the writer and the report name it:
// Monday first, but a run across the weekend kept whole (FRI-MON); a run
// of three days or more as a range, shorter ones day by day.
struct DayRun {
    int first, last;  // days as SYSTEMTIME counts them; equal for one day
};
// The runs in order, at most seven; how many.
int DayRunsOf(unsigned days, DayRun (&runs)[7]);
