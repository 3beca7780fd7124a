#include "common/nudge_arguments.h"

#include <windows.h>

#include <cwchar>

#include "common/atoi_number.h"


// Writing the longest record takes less: a name of WatchedNameSize - 1
// characters with its quotes, seven numbers, four days and the switches.
static const int FormattedArgumentsSize = WatchedNameSize + 120;

bool IsSilentToggleText(const wchar_t* text) {
    return lstrcmpiW(text, L"/X") == 0;
}

// U+3000 is the blank the IME types.
static const wchar_t Blanks[] = L" \t\x3000";

// Never true for the terminator.
static bool IsOneOf(wchar_t c, const wchar_t* set) {
    for (; *set; ++set)
        if (c == *set) return true;
    return false;
}

static bool HoldsOneOf(const wchar_t* text, const wchar_t* set) {
    for (; *text; ++text)
        if (IsOneOf(*text, set)) return true;
    return false;
}

// The digits at *text, moving past them: how many there were. The value
// stops growing past any limit checked here, so it never overflows.
static int ReadDigits(const wchar_t** text, int* value) {
    int count = 0;
    *value = 0;
    for (const wchar_t* p = *text; *p >= L'0' && *p <= L'9'; ++p, ++count)
        if (*value <= LongestForMinutes) *value = *value * 10 + (*p - L'0');
    *text += count;
    return count;
}

// H:MM or HH:MM, 0:00 to 23:59, at *text, moving past it.
static bool ReadClockTime(const wchar_t** text, int* minuteOfDay) {
    int hours, minutes;
    int hourDigits = ReadDigits(text, &hours);
    if (hourDigits < 1 || hourDigits > 2 || *(*text)++ != L':') return false;
    if (ReadDigits(text, &minutes) != 2) return false;
    *minuteOfDay = hours * 60 + minutes;
    return hours < 24 && minutes < 60;
}

static bool ReadUntil(const wchar_t* value, NudgeBounds* bounds) {
    bounds->hasUntil = true;
    return ReadClockTime(&value, &bounds->untilMinuteOfDay) && !*value;
}

// FROM-TO; an empty window is no window.
static bool ReadHours(const wchar_t* value, NudgeBounds* bounds) {
    bounds->hasHours = true;
    return ReadClockTime(&value, &bounds->hoursFromMinute) && *value++ == L'-' &&
           ReadClockTime(&value, &bounds->hoursToMinute) && !*value &&
           bounds->hoursFromMinute != bounds->hoursToMinute;
}

// In SYSTEMTIME's order, three letters a day.
static const wchar_t DayNames[] = L"SUNMONTUEWEDTHUFRISAT";

// The day named at *text in any case, moving past it; -1 for none.
static int ReadDayName(const wchar_t** text) {
    for (int day = 0; day < 7; ++day)
        if (_wcsnicmp(*text, DayNames + day * 3, 3) == 0) {
            *text += 3;
            return day;
        }
    return -1;
}

// Items DAY or DAY-DAY (wrapping past Sunday) joined by commas, each day
// named once.
static bool ReadDays(const wchar_t* value, NudgeBounds* bounds) {
    unsigned days = 0;
    for (;;) {
        int day = ReadDayName(&value), last = day;
        if (*value == L'-') {
            ++value;
            last = ReadDayName(&value);
        }
        if (day < 0 || last < 0) return false;
        for (;; day = (day + 1) % 7) {
            if (days & (1u << day)) return false;
            days |= 1u << day;
            if (day == last) break;
        }
        if (!*value) break;
        if (*value++ != L',') return false;
    }
    bounds->days = days;
    return true;
}

static bool ReadFor(const wchar_t* value, NudgeBounds* bounds) {
    int minutes;
    if (ReadDigits(&value, &minutes) == 0 || *value) return false;
    bounds->forMinutes = minutes;
    return minutes >= 1 && minutes <= LongestForMinutes;
}

// A file name alone: a path, a drive or a character no file name holds
// cannot be a process's name.
static bool ReadWhile(const wchar_t* value, NudgeBounds* bounds) {
    size_t length = wcslen(value);
    if (length == 0 || length >= (size_t)WatchedNameSize) return false;
    for (const wchar_t* p = value; *p; ++p)
        if (*p < L' ' || IsOneOf(*p, L"\\/:\"*?<>|")) return false;
    wcscpy(bounds->whileName, value);
    return true;
}

static bool ReadMainsOnly(const wchar_t* value, NudgeBounds* bounds) {
    bounds->mainsOnly = true;
    return *value == L'\0';
}

static bool ReadSystemOnly(const wchar_t* value, NudgeBounds* bounds) {
    bounds->systemOnly = true;
    return *value == L'\0';
}

struct NudgeSwitch {
    const wchar_t* name;  // with the ':' its value follows
    bool (*read)(const wchar_t* value, NudgeBounds* bounds);
};

static const NudgeSwitch NudgeSwitches[] = {
    {L"/UNTIL:", ReadUntil},
    {L"/FOR:", ReadFor},
    {L"/HOURS:", ReadHours},
    {L"/DAYS:", ReadDays},
    {L"/WHILE:", ReadWhile},
    {L"/AC", ReadMainsOnly},
    {L"/SYSTEM", ReadSystemOnly},
};

struct WordReading {
    NudgeArguments* settings;
    int plainWords;
    unsigned switchesSeen;  // one bit per NudgeSwitches entry
    const wchar_t* firstSwitch;
    NudgeVerdict verdict;
};

// A switch read twice, unknown or with a bad value refuses the line; "/X"
// among other words is unknown here.
static bool ReadSwitch(WordReading* reading, const wchar_t* word) {
    for (unsigned i = 0; i < sizeof NudgeSwitches / sizeof *NudgeSwitches; ++i) {
        const NudgeSwitch& known = NudgeSwitches[i];
        size_t nameLength = wcslen(known.name);
        if (_wcsnicmp(word, known.name, nameLength) != 0) continue;
        if (reading->switchesSeen & (1u << i)) return false;
        reading->switchesSeen |= 1u << i;
        return known.read(word + nameLength, &reading->settings->bounds);
    }
    return false;
}

// A negative interval is no interval: the set-up dialog asks for one, as
// for 0 or letters. A slash in any form is a switch that lost its blank or
// was typed with the IME on ("60000/AC", "／AC", "・AC"): refused.
static void ReadPlainWord(WordReading* reading, const wchar_t* word) {
    if (HoldsOneOf(word, L"/\xFF0F\x30FB")) {
        reading->verdict = {NudgeSwitchRefused, word};
        return;
    }
    int value = ParseWideIntLikeAtoi(word);
    if (reading->plainWords == 0) reading->settings->interval = value < 0 ? 0 : value;
    if (reading->plainWords == 1) reading->settings->distance = value;
    ++reading->plainWords;
}

static void ReadWord(WordReading* reading, const wchar_t* word) {
    if (reading->verdict.reading != NudgeArgumentsAccepted) return;
    if (*word != L'/') {
        ReadPlainWord(reading, word);
        return;
    }
    if (!reading->firstSwitch) reading->firstSwitch = word;
    if (!ReadSwitch(reading, word)) reading->verdict = {NudgeSwitchRefused, word};
}

static NudgeVerdict FinishReading(const WordReading& reading) {
    if (reading.verdict.reading == NudgeArgumentsAccepted && reading.firstSwitch &&
        reading.settings->interval <= 0)
        return {NudgeSwitchesWithoutInterval, reading.firstSwitch};
    return reading.verdict;
}

// Compacts the word that starts at `text` where it stands, dropping its
// quotes, and terminates it; returns where the next word may start.
static wchar_t* CutWord(wchar_t* text) {
    wchar_t* out = text;
    bool quoted = false;
    for (; *text && (quoted || !IsOneOf(*text, Blanks)); ++text) {
        if (*text == L'"') quoted = !quoted;
        else *out++ = *text;
    }
    bool more = *text != L'\0';
    *out = L'\0';
    return more ? text + 1 : text;
}

NudgeVerdict ReadNudgeArgumentText(wchar_t* text, NudgeArguments* settings) {
    WordReading reading = {settings, 0, 0, NULL, {NudgeArgumentsAccepted, NULL}};
    for (;;) {
        while (IsOneOf(*text, Blanks)) ++text;
        if (!*text) break;
        wchar_t* word = text;
        text = CutWord(text);
        ReadWord(&reading, word);
    }
    return FinishReading(reading);
}

static bool HasDay(unsigned days, int day) {
    return (days >> (day % 7)) & 1;
}

int DayRunsOf(unsigned days, DayRun (&runs)[7]) {
    days &= EveryDay;
    int start = 1;  // Monday, or back to where a run across it begins
    while (days != EveryDay && HasDay(days, start + 6)) start = (start + 6) % 7;
    int count = 0;
    for (int at = start; at < start + 7; ++at) {
        if (!HasDay(days, at)) continue;
        int length = 1;
        while (at + length < start + 7 && HasDay(days, at + length)) ++length;
        if (length < 3) length = 1;
        runs[count++] = {at % 7, (at + length - 1) % 7};
        at += length - 1;
    }
    return count;
}

// " /DAYS:MON-FRI,SUN", or nothing for no days.
static int FormatDays(unsigned days, wchar_t* out) {
    DayRun runs[7];
    int count = DayRunsOf(days, runs);
    int length = 0;
    for (int i = 0; i < count; ++i) {
        length += wsprintfW(out + length, L"%s%.3s", i > 0 ? L"," : L" /DAYS:", DayNames + runs[i].first * 3);
        if (runs[i].last != runs[i].first) length += wsprintfW(out + length, L"-%.3s", DayNames + runs[i].last * 3);
    }
    return length;
}

bool FormatNudgeArguments(const NudgeArguments& settings, wchar_t* out, size_t outChars) {
    const NudgeBounds& bounds = settings.bounds;
    wchar_t text[FormattedArgumentsSize];
    bool withDistance = settings.distance != 1 && !bounds.systemOnly;
    int length = wsprintfW(text, withDistance ? L"%d %d" : L"%d", settings.interval, settings.distance);
    if (bounds.hasUntil)
        length += wsprintfW(text + length, L" /UNTIL:%d:%02d", bounds.untilMinuteOfDay / 60,
                            bounds.untilMinuteOfDay % 60);
    if (bounds.forMinutes) length += wsprintfW(text + length, L" /FOR:%d", bounds.forMinutes);
    if (bounds.hasHours)
        length += wsprintfW(text + length, L" /HOURS:%d:%02d-%d:%02d", bounds.hoursFromMinute / 60,
                            bounds.hoursFromMinute % 60, bounds.hoursToMinute / 60, bounds.hoursToMinute % 60);
    length += FormatDays(bounds.days, text + length);
    if (bounds.whileName[0])  // a name with a blank quoted, to read as one word again
        length += wsprintfW(text + length, HoldsOneOf(bounds.whileName, Blanks) ? L" \"/WHILE:%s\"" : L" /WHILE:%s",
                            bounds.whileName);
    if (bounds.mainsOnly) length += wsprintfW(text + length, L" /AC");
    if (bounds.systemOnly) length += wsprintfW(text + length, L" /SYSTEM");
    if (outChars == 0) return false;
    out[0] = L'\0';
    if ((size_t)length >= outChars) return false;
    wmemcpy(out, text, length + 1);
    return true;
}
