// Small file helpers for tests.
#pragma once
#include <string>
#include <vector>

std::string ReadTextFile(const std::string& path);
// The names of the files in `folder` that match `pattern`.
std::vector<std::string> MatchingFileNames(const std::string& folder, const char* pattern);
// Deletes the files (not folders) in `folder` that match `pattern`.
void DeleteMatchingFiles(const std::string& folder, const char* pattern);
// A shell folder by CSIDL, as this process's shell names it.
std::string ShellFolderPath(int csidl);
// A Windows path of a file under tests/data, and its Unix twin.
std::string TestDataPath(const std::string& relative);
std::string TestDataUnixPath(const std::string& relative);
