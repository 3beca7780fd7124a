#include "common/nudge_arguments.h"

#include <windows.h>

#include <cwchar>

#include "common/atoi_number.h"

static const int LongestForMinutes = 10080;  // a week

// Writing the longest record takes less: a name of WatchedNameSize - 1
// characters with its quotes, and five numbers with their switches.
static const int FormattedArgumentsSize = WatchedNameSize + 80;

bool IsSilentToggleText(const wchar_t* text) {
    return lstrcmpiW(text, L"/X") == 0;
}

static bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
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

// H:MM or HH:MM, 0:00 to 23:59.
static bool ReadUntil(const wchar_t* value, NudgeBounds* bounds) {
    int hours, minutes;
    int hourDigits = ReadDigits(&value, &hours);
    if (hourDigits < 1 || hourDigits > 2 || *value++ != L':') return false;
    if (ReadDigits(&value, &minutes) != 2 || *value) return false;
    bounds->hasUntil = true;
    bounds->untilMinuteOfDay = hours * 60 + minutes;
    return hours < 24 && minutes < 60;
}

static bool ReadFor(const wchar_t* value, NudgeBounds* bounds) {
    int minutes;
    if (ReadDigits(&value, &minutes) == 0 || *value) return false;
    bounds->forMinutes = minutes;
    return minutes >= 1 && minutes <= LongestForMinutes;
}

// A file name alone: a path or a drive cannot be a process's name.
static bool ReadWhile(const wchar_t* value, NudgeBounds* bounds) {
    size_t length = wcslen(value);
    if (length == 0 || length >= (size_t)WatchedNameSize) return false;
    for (const wchar_t* p = value; *p; ++p)
        if (*p == L'\\' || *p == L'/' || *p == L':') return false;
    wcscpy(bounds->whileName, value);
    return true;
}

static bool ReadMainsOnly(const wchar_t* value, NudgeBounds* bounds) {
    bounds->mainsOnly = true;
    return *value == L'\0';
}

struct NudgeSwitch {
    const wchar_t* name;  // with the ':' its value follows
    bool (*read)(const wchar_t* value, NudgeBounds* bounds);
};

static const NudgeSwitch NudgeSwitches[] = {
    {L"/UNTIL:", ReadUntil},
    {L"/FOR:", ReadFor},
    {L"/WHILE:", ReadWhile},
    {L"/AC", ReadMainsOnly},
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
// for 0 or letters.
static void ReadPlainWord(WordReading* reading, const wchar_t* word) {
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

NudgeVerdict ReadNudgeArgv(int argc, const wchar_t* const* argv, NudgeArguments* settings) {
    WordReading reading = {settings, 0, 0, NULL, {NudgeArgumentsAccepted, NULL}};
    for (int i = 1; i < argc; ++i) ReadWord(&reading, argv[i]);
    return FinishReading(reading);
}

// Compacts the word that starts at `text` where it stands, dropping its
// quotes, and terminates it; returns where the next word may start.
static wchar_t* CutWord(wchar_t* text) {
    wchar_t* out = text;
    bool quoted = false;
    for (; *text && (quoted || !IsBlank(*text)); ++text) {
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
        while (IsBlank(*text)) ++text;
        if (!*text) break;
        wchar_t* word = text;
        text = CutWord(text);
        ReadWord(&reading, word);
    }
    return FinishReading(reading);
}

// A name with a blank is quoted whole, as the C runtime groups it again.
static bool HasBlank(const wchar_t* text) {
    for (; *text; ++text)
        if (IsBlank(*text)) return true;
    return false;
}

bool FormatNudgeArguments(const NudgeArguments& settings, wchar_t* out, size_t outChars) {
    const NudgeBounds& bounds = settings.bounds;
    wchar_t text[FormattedArgumentsSize];
    int length = wsprintfW(text, L"%d", settings.interval);
    if (settings.distance != 1) length += wsprintfW(text + length, L" %d", settings.distance);
    if (bounds.hasUntil)
        length += wsprintfW(text + length, L" /UNTIL:%d:%02d", bounds.untilMinuteOfDay / 60,
                            bounds.untilMinuteOfDay % 60);
    if (bounds.forMinutes) length += wsprintfW(text + length, L" /FOR:%d", bounds.forMinutes);
    if (bounds.whileName[0])
        length += wsprintfW(text + length, HasBlank(bounds.whileName) ? L" \"/WHILE:%s\"" : L" /WHILE:%s",
                            bounds.whileName);
    if (bounds.mainsOnly) length += wsprintfW(text + length, L" /AC");
    if (outChars == 0) return false;
    out[0] = L'\0';
    if ((size_t)length >= outChars) return false;
    wmemcpy(out, text, length + 1);
    return true;
}
