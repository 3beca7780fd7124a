// Path buffers: 520 bytes for every path, as the program has always used.
// Paths are Shift-JIS: a backslash may be the second byte of a kanji (表
// is 95 5C), so bytes are judged in characters from the start.
#pragma once
#include <cstddef>

const size_t PathBufferSize = 520;

// True when text[index] is the first byte of a double-byte character.
bool IsLeadByteAt(const char* text, int index);

// The running executable's full path. False when the call fails or the
// path did not fit, rather than hand on a cut-off path.
bool GetOwnExePath(char (&path)[PathBufferSize]);

// folder + separator (unless the folder ends in one) + stem + extension,
// into a 520-byte result. False when it does not fit.
bool JoinFolderAndName(char (&result)[PathBufferSize], const char* folder, const char* stem, const char* extension);

// The index of the last backslash that is not the second byte of a
// double-byte character, or -1 when there is none.
int LastBackslashAt(const char* path);

// What follows the path's last backslash: the file name alone.
const char* FileNameOf(const char* path);
