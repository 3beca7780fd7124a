// What a command line tells the program: the first argument is the
// interval in milliseconds, the second the distance in pixels (0 = tap
// Shift), each read as atoi reads it. The program reads its own command
// line this way, and the report reads a shortcut's arguments the same way.
#pragma once

struct NudgeArguments {
    int interval;  // 0 = not given (also for a negative number)
    int distance;
};

// From argv[1] and argv[2] where present; a missing one keeps its value.
void ReadNudgeArgv(int argc, const char* const* argv, NudgeArguments* settings);

// True for "/X" in either case, the whole text: the argument that ends a
// resident instance without asking and does nothing else.
bool IsSilentToggleText(const char* text);

// From an argument text as a shortcut holds it, split into words at blanks
// as the C runtime splits the program's command line (double quotes group
// blanks into a word and are dropped).
void ReadNudgeArgumentText(const char* text, NudgeArguments* settings);
