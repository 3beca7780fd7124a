#include "tests/support/test_files.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "tests/support/wait.h"

std::string ReadTextFile(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    fclose(f);
    return text;
}

bool WriteTextFile(const std::string& path, const std::string& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && written;
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
