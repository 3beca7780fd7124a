// Paths: 520 characters for every path, as the program has always used.
// They are held and passed in UTF-16: through the ANSI calls a folder name
// outside the system code page ("Zoë", a Korean name on a Japanese
// Windows) comes back best-fitted, a path that does not exist.
#pragma once
#include <cstddef>

const size_t PathBufferSize = 520;

// The running executable's full path. False when the call fails or the
// path did not fit, rather than hand on a cut-off path.
bool GetOwnExePath(wchar_t (&path)[PathBufferSize]);

// folder + separator (unless the folder ends in one) + stem + extension,
// into a 520-character result. False, with the result empty, when it does
// not fit.
bool JoinFolderAndName(wchar_t (&result)[PathBufferSize], const wchar_t* folder, const wchar_t* stem,
                       const wchar_t* extension);

// Cuts a full path to its folder in place: at the last backslash, or
// after it when that leaves a drive root such as "C:\". False, with the
// text untouched, when there is no separator.
bool CutToFolder(wchar_t* path);

// True if a file or folder of that name exists. A missing disk raises no
// system dialog and counts as nothing there.
bool FileExists(const wchar_t* path);
