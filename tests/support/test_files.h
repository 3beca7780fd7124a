// Small file helpers for tests.
#pragma once
#include <string>
#include <vector>

std::string ReadTextFile(const std::string& path);
std::string ReadTextFile(const std::wstring& path);
// A path or text of this process's code page in UTF-16.
std::wstring WideOf(const std::string& text);
// Writes the text as the whole file; true when it was written.
bool WriteTextFile(const std::wstring& path, const std::string& text);
bool WriteTextFile(const std::string& path, const std::string& text);

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
