// Byte texts to and from UTF-16, for the wide calls. The program's own
// texts are code page 932 whatever the system's (ProgramTextCodePage);
// what an ANSI call gave, and what the report shows of the machine, is in
// the system code page.
#pragma once
#include <windows.h>

#include <cstddef>

// False, with `out` empty, when the text cannot be converted or does not
// fit in `outChars` characters with its terminator.
bool WidenText(UINT codePage, const char* text, wchar_t* out, size_t outChars);

// The same the other way; characters the code page lacks become its
// default character, so the result is for showing, never a path.
bool NarrowText(UINT codePage, const wchar_t* text, char* out, size_t outSize);
