#include "common/nudge_arguments.h"

#include <windows.h>

#include "common/atoi_number.h"

// Longer words still read as the same clamped number.
static const unsigned NudgeWordSize = 64;

bool IsSilentToggleText(const char* text) {
    return lstrcmpiA(text, "/X") == 0;
}

// A negative interval is no interval: the set-up dialog asks for one, as
// for 0 or letters.
void ReadNudgeArgv(int argc, const char* const* argv, NudgeArguments* settings) {
    if (argc > 1) {
        int interval = ParseIntLikeAtoi(argv[1]);
        settings->interval = interval < 0 ? 0 : interval;
    }
    if (argc > 2) settings->distance = ParseIntLikeAtoi(argv[2]);
}

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The word that starts at `text` into `word`; returns where it ends.
static const char* CopyWord(const char* text, char (&word)[NudgeWordSize]) {
    unsigned length = 0;
    bool quoted = false;
    for (; *text && (quoted || !IsBlank(*text)); ++text) {
        if (*text == '"') quoted = !quoted;
        else if (length + 1 < NudgeWordSize) word[length++] = *text;
    }
    word[length] = '\0';
    return text;
}

void ReadNudgeArgumentText(const char* text, NudgeArguments* settings) {
    char words[2][NudgeWordSize];
    const char* argv[3] = {"", words[0], words[1]};
    int argc = 1;
    while (argc < 3) {
        while (IsBlank(*text)) ++text;
        if (!*text) break;
        text = CopyWord(text, words[argc - 1]);
        ++argc;
    }
    ReadNudgeArgv(argc, argv, settings);
}
