// Reading the interval and the distance from the program's arguments.
#pragma once

// The C library's atoi rules (leading white space, one optional sign,
// decimal digits up to the first other character, no digits -> 0), but an
// out-of-range number clamps to INT_MIN/INT_MAX instead of being undefined.
int ParseIntLikeAtoi(const char* text);

// argv[1] -> NudgeInterval and argv[2] -> NudgeDistance when present;
// further arguments are ignored.
void ReadNudgeArguments(int argc, char** argv);
