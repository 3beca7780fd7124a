#include "tests/support/test_files.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "tests/support/wait.h"

std::string ReadTextFile(const std::string& path) {
    return ReadTextFile(WideOf(path));
}

std::string ReadTextFile(const std::wstring& path) {
    std::string text;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return text;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    fclose(f);
    return text;
}

std::wstring WideOf(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], (int)wide.size());
    wide.resize(n > 0 ? (size_t)n - 1 : 0);
    return wide;
}

bool WriteTextFile(const std::wstring& path, const std::string& text) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    bool written = fwrite(text.data(), 1, text.size(), f) == text.size();
    return fclose(f) == 0 && written;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return WriteTextFile(WideOf(path), text);
}

bool DeleteFileWhenFree(const std::string& path) {
    return WaitUntil(EventBoundMs, [&] {
        return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    });
}

std::vector<std::string> MatchingFileNames(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void DeleteMatchingFiles(const std::string& folder, const char* pattern) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string path = folder + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveDirectoryA(path.c_str());
        else DeleteFileWhenFree(path);
    } while (FindNextFileA(h, &found));
    FindClose(h);
}

std::string ShellFolderPath(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(NULL, csidl | CSIDL_FLAG_CREATE, NULL, 0, path);
    return path;
}

std::string TestDataUnixPath(const std::string& relative) {
    return std::string(SWAYPIX_SOURCE_DIR) + "/tests/data/" + relative;
}

std::string TestDataPath(const std::string& relative) {
    std::string path = "Z:" + TestDataUnixPath(relative);
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
}
