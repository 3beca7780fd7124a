// Small file helpers for tests.
#pragma once
#include <string>
#include <vector>

std::string ReadTextFile(const std::string& path);
// Writes `bytes` as the whole file; false when it could not.
bool WriteTextFile(const std::string& path, const std::string& bytes);
// The names of the files in `folder` that match `pattern`.
std::vector<std::string> MatchingFileNames(const std::string& folder, const char* pattern);
// Deletes a file, waiting while another process has it open: Wine's menu
// builder reads every link saved on the Desktop, just after it is saved.
// True once the file is gone.
bool DeleteFileWhenFree(const std::string& path);
// Deletes the files in `folder` that match `pattern`, as above, and the
// empty folders.
void DeleteMatchingFiles(const std::string& folder, const char* pattern);
// A shell folder by CSIDL, as this process's shell names it.
std::string ShellFolderPath(int csidl);
// A Windows path of a file under tests/data, and its Unix twin.
std::string TestDataPath(const std::string& relative);
std::string TestDataUnixPath(const std::string& relative);
