#include "app/command_line.h"

#include "common/nudge_settings.h"

NudgeVerdict ReadNudgeArguments(int argc, const wchar_t* const* argv) {
    NudgeArguments settings = {NudgeInterval, NudgeDistance, SessionBounds};
    NudgeVerdict verdict = ReadNudgeArgv(argc, argv, &settings);
    if (verdict.reading != NudgeArgumentsAccepted) return verdict;
    NudgeInterval = settings.interval;
    NudgeDistance = settings.distance;
    SessionBounds = settings.bounds;
    return verdict;
}
