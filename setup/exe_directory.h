// The current directory around shell calls: the system folder while the
// shell opens something, the program's own folder again after. Paths are Shift-JIS: a backslash may
// be the second byte of a kanji (表 is 95 5C), so bytes are judged in
// characters from the start.
#pragma once
#include "setup/paths.h"

// True when text[index] is the first byte of a double-byte character.
bool IsLeadByteAt(const char* text, int index);

// Cuts a full path to its folder in place: at the last real separator, or
// after it when that leaves a drive root such as "C:\". False, with the
// text untouched, when there is no separator.
bool CutToFolder(char* path);

// Sets the folder of the running executable as the current directory.
bool RestoreExeDirectory();

// Makes the system folder current before the shell opens something, so
// what it starts never searches or keeps busy the program's folder. The
// folder is left in `systemFolder` for the working directory; a failed
// GetSystemDirectoryA leaves "\\", the root of the current drive.
void EnterSystemFolder(char (&systemFolder)[PathBufferSize]);
