// Path buffers: 520 bytes for every path, as the program has always used.
#pragma once
#include <cstddef>

const size_t PathBufferSize = 520;

// The running executable's full path. False when the call fails or the
// path did not fit, rather than hand on a cut-off path.
bool GetOwnExePath(char (&path)[PathBufferSize]);

// folder + separator (unless the folder ends in one) + stem + extension,
// into a 520-byte result. False when it does not fit.
bool JoinFolderAndName(char (&result)[PathBufferSize], const char* folder, const char* stem, const char* extension);
