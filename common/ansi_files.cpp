#include "common/ansi_files.h"

#include <cstdlib>

wchar_t* WidenAnsi(const char* text) {
    if (!text) return NULL;
    UINT codePage = GetACP();
    int n = MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, NULL, 0);
    if (n == 0) return NULL;
    wchar_t* wide = (wchar_t*)calloc((size_t)n + 1, sizeof(wchar_t));
    if (!wide) return NULL;
    if (MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, wide, n) == 0) {
        free(wide);
        return NULL;
    }
    return wide;
}

// A name that does not fit (a double-byte 8.3 name can need more than
// 14 bytes) or cannot be converted comes back as the empty text.
static void NarrowName(const wchar_t* name, char* out, int outSize) {
    if (WideCharToMultiByte(GetACP(), 0, name, -1, out, outSize, NULL, NULL) == 0) out[0] = '\0';
    out[outSize - 1] = '\0';
}

bool WidenPath(const char* path, WCHAR (&wide)[PathBufferSize]) {
    return MultiByteToWideChar(GetACP(), MB_PRECOMPOSED, path, -1, wide, PathBufferSize) != 0;
}

static void CopyFound(const WIN32_FIND_DATAW& found, FindDataAnsi* record) {
    record->fileAttributes = found.dwFileAttributes;
    record->creationTime = found.ftCreationTime;
    record->lastAccessTime = found.ftLastAccessTime;
    record->lastWriteTime = found.ftLastWriteTime;
    record->fileSizeHigh = found.nFileSizeHigh;
    record->fileSizeLow = found.nFileSizeLow;
    record->reserved0 = found.dwReserved0;
    record->reserved1 = found.dwReserved1;
    NarrowName(found.cFileName, record->fileName, sizeof record->fileName);
    NarrowName(found.cAlternateFileName, record->alternateFileName, sizeof record->alternateFileName);
}

HANDLE FindFileAnsi(const char* path, FindDataAnsi* record) {
    if (!path || !record) return INVALID_HANDLE_VALUE;
    record->fileAttributes = 0;
    wchar_t* widePath = WidenAnsi(path);
    if (!widePath) return INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW found;
    HANDLE handle = FindFirstFileW(widePath, &found);
    free(widePath);
    if (handle == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
    CopyFound(found, record);
    return handle;
}

bool FindNextFileAnsi(HANDLE handle, FindDataAnsi* record) {
    WIN32_FIND_DATAW found;
    if (!FindNextFileW(handle, &found)) return false;
    CopyFound(found, record);
    return true;
}

bool FileExists(const char* path) {
    if (!path) return false;
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    FindDataAnsi scratch;
    HANDLE handle = FindFileAnsi(path, &scratch);
    SetErrorMode(previous);
    if (handle == INVALID_HANDLE_VALUE) return false;
    FindClose(handle);
    return true;
}
