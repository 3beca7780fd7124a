// Reading the interval and the distance from the program's arguments.
#pragma once

// argv[1] -> NudgeInterval and argv[2] -> NudgeDistance when present;
// further arguments are ignored.
void ReadNudgeArguments(int argc, char** argv);
