// The DLL names a PE file imports, read from its import directory. Used
// to show, and to check, that the programs need only Windows' own DLLs.
#pragma once
#include <string>
#include <vector>

// Empty when the file cannot be read or is not a PE image.
std::vector<std::string> ReadImportedDlls(const char* path);
// The same from the delay-import directory, the libraries loaded by name
// on first call.
std::vector<std::string> ReadDelayImportedDlls(const char* path);
