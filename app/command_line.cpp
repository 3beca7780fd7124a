#include "app/command_line.h"

#include "common/atoi_number.h"
#include "common/nudge_settings.h"

void ReadNudgeArguments(int argc, char** argv) {
    if (argc > 1) NudgeInterval = ParseIntLikeAtoi(argv[1]);
    if (argc > 2) NudgeDistance = ParseIntLikeAtoi(argv[2]);
}
