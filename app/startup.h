// What a start of the program does: end a resident instance, show the
// set-up dialog, or become resident with the settings of the command line.
#pragma once
#include <windows.h>

// commandTail is the text after the program name, all the program reads.
// Returns the exit code.
int RunStartup(HINSTANCE instance, const wchar_t* commandTail);
