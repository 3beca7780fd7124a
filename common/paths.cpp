#include "common/paths.h"

#include <windows.h>

#include <cwchar>

bool GetOwnExePath(wchar_t (&path)[PathBufferSize]) {
    DWORD n = GetModuleFileNameW(NULL, path, PathBufferSize);
    if (n == 0 || n >= PathBufferSize) {
        path[0] = L'\0';
        return false;
    }
    return true;
}

static bool EndsWithSeparator(const wchar_t* folder) {
    size_t length = wcslen(folder);
    return length > 0 && (folder[length - 1] == L'\\' || folder[length - 1] == L'/');
}

bool JoinFolderAndName(wchar_t (&result)[PathBufferSize], const wchar_t* folder, const wchar_t* stem,
                       const wchar_t* extension) {
    const wchar_t* separator = EndsWithSeparator(folder) ? L"" : L"\\";
    size_t needed = wcslen(folder) + wcslen(separator) + wcslen(stem) + wcslen(extension);
    if (needed >= PathBufferSize) {
        result[0] = L'\0';
        return false;
    }
    wcscpy(result, folder);
    wcscat(result, separator);
    wcscat(result, stem);
    wcscat(result, extension);
    return true;
}

bool CutToFolder(wchar_t* path) {
    const wchar_t* last = wcsrchr(path, L'\\');
    if (!last || last == path) return false;
    size_t i = (size_t)(last - path);
    path[i > 4 ? i : i + 1] = L'\0';
    return true;
}

bool FileExists(const wchar_t* path) {
    if (!path) return false;
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAW found;
    HANDLE handle = FindFirstFileW(path, &found);
    SetErrorMode(previous);
    if (handle == INVALID_HANDLE_VALUE) return false;
    FindClose(handle);
    return true;
}
