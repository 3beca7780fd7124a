#include "app/command_line.h"

#include <windows.h>

#include <cwchar>

#include "common/nudge_settings.h"

// Far more than the longest line the program writes or reads whole (a
// /WHILE name is below MAX_PATH); a longer one is refused as it stands.
static const int CommandTailSize = 1024;

NudgeVerdict ReadNudgeArguments(const wchar_t* commandTail) {
    static wchar_t words[CommandTailSize];  // the verdict's word points into it
    if (wcslen(commandTail) >= (size_t)CommandTailSize) return {NudgeSwitchRefused, commandTail};
    lstrcpyW(words, commandTail);
    NudgeArguments settings = {NudgeInterval, NudgeDistance, SessionBounds};
    NudgeVerdict verdict = ReadNudgeArgumentText(words, &settings);
    if (verdict.reading != NudgeArgumentsAccepted) return verdict;
    NudgeInterval = settings.interval;
    NudgeDistance = settings.distance;
    SessionBounds = settings.bounds;
    return verdict;
}
