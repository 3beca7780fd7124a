// Finding files by ANSI (Shift-JIS) paths through the wide API, so that a
// long name of up to 520 bytes is not cut to MAX_PATH.
#pragma once
#include <windows.h>

#include "common/paths.h"

// The ANSI find-data record, but with a 520-byte long name.
struct FindDataAnsi {
    DWORD fileAttributes;
    FILETIME creationTime;
    FILETIME lastAccessTime;
    FILETIME lastWriteTime;
    DWORD fileSizeHigh;
    DWORD fileSizeLow;
    DWORD reserved0;
    DWORD reserved1;
    char fileName[520];
    char alternateFileName[14];
};

// A UTF-16 copy in the ANSI code page, to be released with free(); null
// for null or unconvertible text or when memory runs out.
wchar_t* WidenAnsi(const char* text);

// The path in UTF-16 for the shell and COM; false when it cannot be
// converted or does not fit.
bool WidenPath(const char* path, WCHAR (&wide)[PathBufferSize]);

// FindFirstFileW on the path; fills the record. INVALID_HANDLE_VALUE on
// failure. A name that does not fit its field comes back empty.
HANDLE FindFileAnsi(const char* path, FindDataAnsi* record);

// FindNextFileW on a handle from FindFileAnsi; false when no more match.
bool FindNextFileAnsi(HANDLE handle, FindDataAnsi* record);

// True if a file or folder of that name exists. A missing disk raises no
// system dialog and counts as nothing there.
bool FileExists(const char* path);
