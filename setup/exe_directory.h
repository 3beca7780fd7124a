// Making the program's own folder the current directory again after the
// shell was given the system folder. Paths are Shift-JIS: a backslash may
// be the second byte of a kanji (表 is 95 5C), so bytes are judged in
// characters from the start.
#pragma once

// True when text[index] is the first byte of a double-byte character.
bool IsLeadByteAt(const char* text, int index);

// Cuts a full path to its folder in place: at the last real separator, or
// after it when that leaves a drive root such as "C:\". False, with the
// text untouched, when there is no separator.
bool CutToFolder(char* path);

// Sets the folder of the running executable as the current directory.
bool RestoreExeDirectory();
