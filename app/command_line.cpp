#include "app/command_line.h"

#include "common/nudge_arguments.h"
#include "common/nudge_settings.h"

void ReadNudgeArguments(int argc, char** argv) {
    NudgeArguments settings = {NudgeInterval, NudgeDistance};
    ReadNudgeArgv(argc, argv, &settings);
    NudgeInterval = settings.interval;
    NudgeDistance = settings.distance;
}
