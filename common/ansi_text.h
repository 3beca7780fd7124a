// Byte texts and the code page each is in. The program's own texts (its
// messages, labels and the report's Japanese) are kept in code page 932
// whatever the system's; text that came from an ANSI call (a registry
// value, a name narrowed for the report) is in the system code page,
// CP_ACP. In either a second byte may look like "\" or a letter (表 is
// 95 5C), so such text is cut and searched in whole characters, by the
// rule of its own code page.
#pragma once
#include <windows.h>

#include <cstddef>

// Shift-JIS: the code page the program's own texts are kept in.
const UINT ProgramTextCodePage = 932;

// True when `byte` starts a double-byte character of `codePage`.
bool IsLeadByte(UINT codePage, char byte);

// The byte count of the longest prefix of `text` within `limit` bytes
// that does not end inside a double-byte character.
size_t WholeCharacterPrefix(UINT codePage, const char* text, size_t limit);

// Bounded copy at a character edge; always terminates (size > 0).
void CopyWholeCharacters(UINT codePage, char* destination, size_t size, const char* source);

// What follows a path's last backslash that is a character of its own:
// the file name alone, for showing.
const char* FileNameOf(UINT codePage, const char* path);

// False, with `out` empty, when the text cannot be converted or does not
// fit in `outChars` characters with its terminator.
bool WidenText(UINT codePage, const char* text, wchar_t* out, size_t outChars);

// The same the other way; characters the code page lacks become its
// default character, so the result is for showing, never a path.
bool NarrowText(UINT codePage, const wchar_t* text, char* out, size_t outSize);

// NarrowText into the system code page without best fit: a character it
// lacks shows as its default character, never as a look-alike (a
// full-width "／" as "/"), for text the user must see as typed.
bool NarrowTextAsTyped(const wchar_t* text, char* out, size_t outSize);

// The text as UTF-8, in memory from malloc for the caller to free; null
// when it cannot be converted or memory runs out.
char* Utf8Text(UINT codePage, const char* text);
