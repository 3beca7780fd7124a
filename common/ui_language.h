// The language the user sees: Japanese where the system's code page for
// programs that are not Unicode is 932 or the user's display language is
// Japanese, English everywhere else. Decided once per process; the set-up
// dialog, every message box and the About box follow it.
#pragma once
#include <windows.h>

#include "common/local_text.h"

// True where the system's ANSI code page is the program's own: there the
// ANSI calls carry its texts unchanged, and a report file written in the
// system code page can hold Japanese.
bool AnsiCodePageIsJapanese();

// Asked of Windows on the first call and kept for the rest of the process.
bool UserSeesJapanese();

// The member of the pair for the user's language.
const char* PickUiText(const LocalText& text);
