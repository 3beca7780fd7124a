// The interval and distance are read with atoi's rules, clamped.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>

#include "app/command_line.h"
#include "common/atoi_number.h"
#include "common/nudge_arguments.h"
#include "common/nudge_settings.h"

struct AtoiCase {
    const char* text;
    int value;
};

TEST(CommandLine, ParsesLikeAtoiAndClamps) {
    const AtoiCase cases[] = {
        {"50000", 50000},
        {"   300", 300},          // leading blanks
        {"\t\n\v\f\r42", 42},     // every atoi white space
        {"+7", 7},
        {"-250", -250},
        {"300abc", 300},          // trailing garbage ends the number
        {"12 34", 12},
        {"abc", 0},               // letters only
        {"", 0},
        {"-", 0},
        {"+-5", 0},               // one sign at most
        {"- 5", 0},
        {"0x10", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},  // clamped, not undefined
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
        {"\xE3\x80\x80" "5", 0},   // a full-width blank is no blank
    };
    for (const AtoiCase& c : cases) EXPECT_EQ(c.value, ParseIntLikeAtoi(c.text)) << "[" << c.text << "]";
}

struct ArgumentCase {
    const wchar_t* tail;
    int interval;
    int distance;
};

TEST(CommandLine, FirstArgumentIsIntervalSecondIsDistance) {
    const ArgumentCase cases[] = {
        {L"", 0, 1},
        {L"50000", 50000, 1},
        {L"50000 0", 50000, 0},
        {L"50000 5", 50000, 5},
        {L"50000 -3", 50000, -3},
        {L"1000 2 7", 1000, 2},   // a third is ignored
        {L"0 9", 0, 9},           // distance still read
        {L"-1000 0", 0, 0},       // no interval: the set-up dialog
        {L"50000 abc", 50000, 0},
        {L"/X foo", 0, 1},        // refused: nothing changes
        {L"\"\x3000" L"5\" \xFF15", 0, 0},  // a full-width blank (quoted, kept) and digit
        {L"1000\x3000" L"1", 1000, 1},  // the IME's blank separates words
        {L"60000 \xFF0F" L"AC", 0, 1},  // refused: a full-width slash
        {L"60000 \x30FB" L"AC", 0, 1},  // refused: the IME's "/"
        {L"60000/AC", 0, 1},           // refused: no blank before the switch
    };
    for (const ArgumentCase& c : cases) {
        NudgeInterval = 0;
        NudgeDistance = 1;
        ReadNudgeArguments(c.tail);
        EXPECT_EQ(c.interval, NudgeInterval) << c.tail;
        EXPECT_EQ(c.distance, NudgeDistance) << c.tail;
    }
    NudgeInterval = 0;
    NudgeDistance = 1;
}

// A shortcut's argument text reads as the program reads its own command
// line: words split at blanks, quotes grouping, the rest ignored.
TEST(CommandLine, AShortcutsArgumentTextReadsLikeTheCommandLine) {
    const struct {
        const wchar_t* text;
        int interval;
        int distance;
    } cases[] = {
        {L"50000", 50000, 1},          {L"60000 0", 60000, 0},   {L" \t70000\t 5 9", 70000, 5},
        {L"\"80000\" \"0\"", 80000, 0}, {L"\"1 2\" 3", 1, 3},     {L"", 0, 1},
        {L"/X", 0, 1},                 {L"   ", 0, 1},             {L"-50000 0", 0, 0},
    };
    for (const auto& c : cases) {
        NudgeArguments settings = {0, 1, {}};
        std::wstring text = c.text;
        ReadNudgeArgumentText(&text[0], &settings);
        EXPECT_EQ(c.interval, settings.interval) << "[" << c.text << "]";
        EXPECT_EQ(c.distance, settings.distance) << "[" << c.text << "]";
    }
}

// The switches, read from a shortcut's text and written back by the
// set-up dialog's writer: what is read is what was written.
TEST(CommandLine, SwitchesInAnyOrderAndCaseGiveTheBounds) {
    const struct {
        const wchar_t* text;
        int interval;
        int distance;
        int untilMinute;  // -1 = no /UNTIL
        int forMinutes;
        bool mainsOnly;
        const wchar_t* whileName;
        int hoursFrom = 0, hoursTo = 0;  // equal = no /HOURS
        unsigned days = 0;
        bool systemOnly = false;
        const wchar_t* written = nullptr;  // not checked
    } cases[] = {
        {L"50000 /AC", 50000, 1, -1, 0, true, L""},  // a switch, not the distance 0
        {L"/ac 50000 0", 50000, 0, -1, 0, true, L""},
        {L"60000 /UNTIL:18:00 /AC", 60000, 1, 18 * 60, 0, true, L""},
        {L"60000 /until:8:05", 60000, 1, 8 * 60 + 5, 0, false, L""},
        {L"60000 /UNTIL:08:05", 60000, 1, 8 * 60 + 5, 0, false, L""},
        {L"60000 /UNTIL:0:00", 60000, 1, 0, 0, false, L""},
        {L"/Until:23:59 60000", 60000, 1, 23 * 60 + 59, 0, false, L""},
        {L"60000 /FOR:1", 60000, 1, -1, 1, false, L""},
        {L"60000 /for:010080", 60000, 1, -1, 10080, false, L""},
        {L"60000 /WHILE:render.exe", 60000, 1, -1, 0, false, L"render.exe"},
        {L"60000 \"/While:my app.exe\"", 60000, 1, -1, 0, false, L"my app.exe"},
        {L"60000 /WHILE:\"my app.exe\"", 60000, 1, -1, 0, false, L"my app.exe"},
        {L"60000 /WHILE:\x30EC\x30F3\x30C0\x20AC.exe", 60000, 1, -1, 0, false, L"\x30EC\x30F3\x30C0\x20AC.exe"},
        {L"2147483000 0 /UNTIL:23:59 /FOR:10080 /AC", 2147483000, 0, 23 * 60 + 59, 10080, true, L""},
        {L"/FOR:90 50000 5 7 /AC", 50000, 5, -1, 90, true, L""},  // a third plain word is ignored
        {L"50000abc /FOR:5", 50000, 1, -1, 5, false, L""},
        {L"50000 abc", 50000, 0, -1, 0, false, L""},
        {L"1000 1\x3000/AC", 1000, 1, -1, 0, true, L"", 0, 0, 0, false, L"1000 /AC"},
        {L"60000\x3000\x3000/UNTIL:18:00", 60000, 1, 18 * 60, 0, false, L""},
        {L"60000 \"/WHILE:my\x3000" L"app.exe\"", 60000, 1, -1, 0, false, L"my\x3000" L"app.exe", 0, 0, 0, false,
         L"60000 \"/WHILE:my\x3000" L"app.exe\""},
        {L"60000 /HOURS:9:00-18:00 /days:mon-fri", 60000, 1, -1, 0, false, L"", 540, 1080, MondayToFriday, false,
         L"60000 /HOURS:9:00-18:00 /DAYS:MON-FRI"},
        {L"60000 /hours:22:00-06:00 /Days:Fri-Mon", 60000, 1, -1, 0, false, L"", 1320, 360, 0x63, false,
         L"60000 /HOURS:22:00-6:00 /DAYS:FRI-MON"},
        {L"60000 /DAYS:SUN,TUE-THU,SAT", 60000, 1, -1, 0, false, L"", 0, 0, 0x5D, false, L"60000 /DAYS:SAT,SUN,TUE-THU"},
        {L"60000 /DAYS:wed,MON,Tue", 60000, 1, -1, 0, false, L"", 0, 0, 0x0E, false, L"60000 /DAYS:MON-WED"},
        {L"60000 /DAYS:MON-MON", 60000, 1, -1, 0, false, L"", 0, 0, 0x02, false, L"60000 /DAYS:MON"},
        {L"60000 /DAYS:TUE-MON", 60000, 1, -1, 0, false, L"", 0, 0, EveryDay, false, L"60000 /DAYS:MON-SUN"},
        {L"60000 /DAYS:SAT,MON,THU", 60000, 1, -1, 0, false, L"", 0, 0, 0x52, false, L"60000 /DAYS:MON,THU,SAT"},
        {L"/system 60000 /AC", 60000, 1, -1, 0, true, L"", 0, 0, 0, true, L"60000 /AC /SYSTEM"},
        {L"2147483000 0 /UNTIL:23:59 /FOR:10080 /HOURS:23:59-0:00 /DAYS:MON-FRI /AC", 2147483000, 0, 23 * 60 + 59,
         10080, true, L"", 23 * 60 + 59, 0, MondayToFriday, false,
         L"2147483000 0 /UNTIL:23:59 /FOR:10080 /HOURS:23:59-0:00 /DAYS:MON-FRI /AC"},
    };
    for (const auto& c : cases) {
        NudgeArguments settings = {0, 1, {}};
        std::wstring text = c.text;
        ASSERT_EQ(NudgeArgumentsAccepted, ReadNudgeArgumentText(&text[0], &settings).reading) << c.text;
        wchar_t written[DialogArgumentsSize];
        ASSERT_TRUE(FormatNudgeArguments(settings, written, DialogArgumentsSize)) << c.text;
        if (c.written) {
            EXPECT_STREQ(c.written, written);
        }
        NudgeArguments again = {0, 1, {}};
        ASSERT_EQ(NudgeArgumentsAccepted, ReadNudgeArgumentText(written, &again).reading) << written;
        for (const NudgeArguments& read : {settings, again}) {
            EXPECT_EQ(c.interval, read.interval) << c.text;
            EXPECT_EQ(c.distance, read.distance) << c.text;
            EXPECT_EQ(c.untilMinute >= 0, read.bounds.hasUntil) << c.text;
            if (c.untilMinute >= 0) {
                EXPECT_EQ(c.untilMinute, read.bounds.untilMinuteOfDay) << c.text;
            }
            EXPECT_EQ(c.forMinutes, read.bounds.forMinutes) << c.text;
            EXPECT_EQ(c.mainsOnly, read.bounds.mainsOnly) << c.text;
            EXPECT_STREQ(c.whileName, read.bounds.whileName) << c.text;
            EXPECT_EQ(c.hoursFrom != c.hoursTo, read.bounds.hasHours) << c.text;
            EXPECT_EQ(c.hoursFrom * 10000 + c.hoursTo, read.bounds.hoursFromMinute * 10000 + read.bounds.hoursToMinute)
                << c.text;
            EXPECT_EQ(c.days, read.bounds.days) << c.text;
            EXPECT_EQ(c.systemOnly, read.bounds.systemOnly) << c.text;
        }
    }
}

// Each bad word after a good interval is refused and named; then the
// lines whose refused word is not their last, or that lack an interval.
TEST(CommandLine, ABadUnknownOrRepeatedSwitchIsRefusedByItsWord) {
    const wchar_t* const badWords[] = {
        L"/FOR:10abc", L"/FOR:+5", L"/FOR:-5", L"/FOR:0", L"/FOR:10081",
        L"/FOR:4294967297",  // no wrap to 1
        L"/FOR:abc", L"/FOR:", L"/FOR", L"/FOR: 5",
        L"/FOR:\xFF15",  // a full-width digit
        L"/UNTIL:18:5", L"/UNTIL:24:00", L"/UNTIL:25:00", L"/UNTIL:18:60", L"/UNTIL:018:00", L"/UNTIL:18:000",
        L"/UNTIL:18", L"/UNTIL::00", L"/UNTIL:18:00pm", L"/UNTIL:", L"/UNTIL=18:00",
        L"/WHILE:", L"/WHILE:C:\\Tools\\render.exe", L"/WHILE:tools/render.exe",
        L"/AC:1", L"/ACX", L"/Q", L"/", L"/x",
        L"\xFF0F" L"AC", L"\x30FB" L"AC", L"60000/AC", L"5\xFF0F", L"/\xFF21" L"C", L"/FOR\xFF1A" L"5",
        L"/WHILE:a*.exe", L"/WHILE:a?.exe", L"/WHILE:a<b", L"/WHILE:a>b", L"/WHILE:a|b", L"/WHILE:a\x1F" L"b.exe",
        L"/HOURS:9:00-9:00", L"/HOURS:25:00-26:00", L"/HOURS:9:00", L"/HOURS:9:00-", L"/HOURS:9-18",
        L"/HOURS:9:00-18:00x", L"/HOURS:9:00\xFF5E" L"18:00", L"/HOURS:",
        L"/DAYS:MON-XYZ", L"/DAYS:MON,MON", L"/DAYS:MON-FRI,WED", L"/DAYS:SAT-SUN,MON-SAT", L"/DAYS:", L"/DAYS:MON,",
        L"/DAYS:,MON", L"/DAYS:MONDAY", L"/DAYS:MON--FRI", L"/DAYS:\xFF2D\xFF2F\xFF2E", L"/SYSTEM:1", L"/SYSTEMS",
    };
    for (const wchar_t* bad : badWords) {
        NudgeArguments settings = {0, 1, {}};
        std::wstring text = std::wstring(L"60000 \"") + bad + L"\"";
        NudgeVerdict verdict = ReadNudgeArgumentText(&text[0], &settings);
        EXPECT_EQ(NudgeSwitchRefused, verdict.reading) << bad;
        EXPECT_STREQ(bad, verdict.word) << bad;
    }
    std::wstring longestName(WatchedNameSize - 1, L'a');
    const struct {
        std::wstring text;
        NudgeReading reading;
        const wchar_t* word;
    } cases[] = {
        {L"60000 /WHILE:" + longestName + L"a", NudgeSwitchRefused, NULL},  // the record cannot hold it
        {L"60000 /AC /ac", NudgeSwitchRefused, L"/ac"},
        {L"60000 /FOR:5 /FOR:6", NudgeSwitchRefused, L"/FOR:6"},
        {L"60000 /UNTIL:1:00 /until:2:00", NudgeSwitchRefused, L"/until:2:00"},
        {L"/X foo", NudgeSwitchRefused, L"/X"},
        {L"/Q /FOR:0", NudgeSwitchRefused, L"/Q"},  // the first refusal is named
        {L"0 /FOR:0", NudgeSwitchRefused, L"/FOR:0"},  // a bad switch before a missing interval
        {L"/AC", NudgeSwitchesWithoutInterval, L"/AC"},
        {L"0 /FOR:60", NudgeSwitchesWithoutInterval, L"/FOR:60"},
        {L"-5000 /AC /FOR:60", NudgeSwitchesWithoutInterval, L"/AC"},
        {L"abc /WHILE:a.exe", NudgeSwitchesWithoutInterval, L"/WHILE:a.exe"},
        {L"/AC 0", NudgeSwitchesWithoutInterval, L"/AC"},
        {L"60000\x3000\xFF0F" L"AC", NudgeSwitchRefused, L"\xFF0F" L"AC"},
        {L"/SYSTEM 0 5", NudgeSwitchesWithoutInterval, L"/SYSTEM"},
    };
    for (const auto& c : cases) {
        NudgeArguments settings = {0, 1, {}};
        std::wstring text = c.text;
        NudgeVerdict verdict = ReadNudgeArgumentText(&text[0], &settings);
        EXPECT_EQ(c.reading, verdict.reading) << c.text;
        ASSERT_TRUE(verdict.word) << c.text;
        if (c.word) {
            EXPECT_STREQ(c.word, verdict.word) << c.text;
        }
    }
    NudgeArguments longest = {1000, 1, {}};
    std::wstring text = L"1000 /WHILE:" + longestName;
    EXPECT_EQ(NudgeArgumentsAccepted, ReadNudgeArgumentText(&text[0], &longest).reading);
    EXPECT_EQ(longestName, longest.bounds.whileName);
}

// The program's own arguments set the bounds the resident window ends by;
// a refused line leaves every setting as it was.
TEST(CommandLine, TheProgramsArgumentsSetTheSessionBounds) {
    EXPECT_EQ(NudgeArgumentsAccepted,
              ReadNudgeArguments(L"1000 /for:1 \"/WHILE:ren der.exe\"\x3000" L"0\x3000/AC").reading);
    EXPECT_EQ(1000, NudgeInterval);
    EXPECT_EQ(0, NudgeDistance);
    EXPECT_EQ(1, SessionBounds.forMinutes);
    EXPECT_TRUE(SessionBounds.mainsOnly);
    EXPECT_STREQ(L"ren der.exe", SessionBounds.whileName);
    NudgeVerdict verdict = ReadNudgeArguments(L"5000 5 /UNTIL:25:00");
    EXPECT_EQ(NudgeSwitchRefused, verdict.reading);
    EXPECT_STREQ(L"/UNTIL:25:00", verdict.word);
    EXPECT_EQ(1000, NudgeInterval);
    EXPECT_EQ(0, NudgeDistance);
    EXPECT_FALSE(SessionBounds.hasUntil);
    NudgeInterval = 0;
    NudgeDistance = 1;
    SessionBounds = NudgeBounds();
}

// The longest form the set-up dialog writes (78 characters: with /SYSTEM
// the distance goes), in its order, and a buffer a character short of it;
// then the longest record of all, with a name of the longest length.
TEST(CommandLine, TheWriterFitsTheLongestDialogFormOrWritesNothing) {
    NudgeArguments longest = {2147483000, 0, {true, 23 * 60 + 59, 10080, true, L"", true, 23 * 60 + 59, 0, MondayToFriday, true}};
    wchar_t written[DialogArgumentsSize];
    ASSERT_TRUE(FormatNudgeArguments(longest, written, DialogArgumentsSize));
    EXPECT_STREQ(L"2147483000 /UNTIL:23:59 /FOR:10080 /HOURS:23:59-0:00 /DAYS:MON-FRI /AC /SYSTEM", written);
    EXPECT_FALSE(FormatNudgeArguments(longest, written, DialogArgumentsSize - 1));
    EXPECT_STREQ(L"", written);
    std::wstring name = std::wstring(WatchedNameSize - 2, L'a') + L" ";
    NudgeArguments record = {INT_MIN, INT_MIN, {true, 0, 10080, true, L"", true, 1439, 1438, 0x36, false}};
    wcscpy(record.bounds.whileName, name.c_str());
    wchar_t all[WatchedNameSize + 200];
    ASSERT_TRUE(FormatNudgeArguments(record, all, WatchedNameSize + 200));
    EXPECT_EQ(L"-2147483648 -2147483648 /UNTIL:0:00 /FOR:10080 /HOURS:23:59-23:58 /DAYS:MON,TUE,THU,FRI \"/WHILE:" +
                  name + L"\" /AC", std::wstring(all));
    NudgeArguments plain = {50000, 1, {}};
    ASSERT_TRUE(FormatNudgeArguments(plain, written, 41));
    EXPECT_STREQ(L"50000", written);  // as the dialog wrote it before
    NudgeArguments named = {50000, 1, {true, 8 * 60 + 5, 0, false, L"my app.exe", false, 0, 0, 0, false}};
    ASSERT_TRUE(FormatNudgeArguments(named, written, 41));
    EXPECT_STREQ(L"50000 /UNTIL:8:05 \"/WHILE:my app.exe\"", written);
}
