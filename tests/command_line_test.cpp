// The interval and distance are read with atoi's rules, clamped.
#include <gtest/gtest.h>

#include <climits>

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
    int argc;
    const char* argv[4];
    int interval;
    int distance;
};

TEST(CommandLine, FirstArgumentIsIntervalSecondIsDistance) {
    const ArgumentCase cases[] = {
        {1, {"swaypix.exe"}, 0, 1},
        {2, {"swaypix.exe", "50000"}, 50000, 1},
        {3, {"swaypix.exe", "50000", "0"}, 50000, 0},
        {3, {"swaypix.exe", "50000", "5"}, 50000, 5},
        {3, {"swaypix.exe", "50000", "-3"}, 50000, -3},
        {4, {"swaypix.exe", "1000", "2", "7"}, 1000, 2},   // a third is ignored
        {3, {"swaypix.exe", "0", "9"}, 0, 9},               // distance still read
        {3, {"swaypix.exe", "-1000", "0"}, 0, 0},           // no interval: the set-up dialog
        {3, {"swaypix.exe", "/X", "foo"}, 0, 0},
    };
    for (const ArgumentCase& c : cases) {
        NudgeInterval = 0;
        NudgeDistance = 1;
        ReadNudgeArguments(c.argc, const_cast<char**>(c.argv));
        EXPECT_EQ(c.interval, NudgeInterval) << c.argc << " " << c.argv[c.argc - 1];
        EXPECT_EQ(c.distance, NudgeDistance) << c.argc << " " << c.argv[c.argc - 1];
    }
    NudgeInterval = 0;
    NudgeDistance = 1;
}

// A shortcut's argument text reads as the program reads its own command
// line: words split at blanks, quotes grouping, the rest ignored.
TEST(CommandLine, AShortcutsArgumentTextReadsLikeTheCommandLine) {
    const struct {
        const char* text;
        int interval;
        int distance;
    } cases[] = {
        {"50000", 50000, 1},          {"60000 0", 60000, 0},   {" \t70000\t 5 9", 70000, 5},
        {"\"80000\" \"0\"", 80000, 0}, {"\"1 2\" 3", 1, 3},     {"", 0, 1},
        {"/X", 0, 1},                 {"   ", 0, 1},             {"-50000 0", 0, 0},
    };
    for (const auto& c : cases) {
        NudgeArguments settings = {0, 1};
        ReadNudgeArgumentText(c.text, &settings);
        EXPECT_EQ(c.interval, settings.interval) << "[" << c.text << "]";
        EXPECT_EQ(c.distance, settings.distance) << "[" << c.text << "]";
    }
}
